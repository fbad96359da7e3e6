// The integrity class a trace suggests (I-IV), with a one-line reason, from the analysis aids'
// findings. An aid: the engineer confirms it (结论信息, 采用); nothing writes it by itself.
//
// The table, after the low-strain method of the national code for testing building piles:
//
//   what the trace shows                                        proposed
//   no defect echo, toe echo clear (confidence >= sureToe)      I
//   no defect echo, toe echo weak or not seen                   II
//   a bulge only (impedance rising: no loss of section)         as without it
//   necking, ratio >= slightNecking (0.8)                       II   slight defect echo
//   necking, severeNecking (0.6) <= ratio < slightNecking       III  clear defect echo
//   necking, ratio < severeNecking                              IV   severe defect echo
//   a wave inside the blow (a shallow change, no ratio)         III  to be checked otherwise
//   a necking echoing again and again (periodicRepeats or more
//   repeats) and no clear toe echo                               IV   periodic echoes
//
// The worst finding sets the class.
#pragma once

#include <string>

#include "analysis/pile_analysis.h"

namespace kx {

struct ClassThresholds {
    double sureToe = 0.5;        // toe confidence from which its echo counts as clear
    double slightNecking = 0.8;  // impedance ratio down to which a necking is slight
    double severeNecking = 0.6;  // below this a necking is severe
    int periodicRepeats = 2;     // repeats of a necking's echo that make it periodic
};

struct ProposedClass {
    int grade = 0;       // 1-4; 0: nothing to judge (no blow in the trace)
    std::string reason;  // e.g. "4.51 m 处缩径，阻抗比 0.68，桩底反射清晰"
};

ProposedClass ProposeClass(const PileAnalysis& analysis, const ClassThresholds& t = {});

// "I" ... "IV" for grades 1-4, "" otherwise: as the record keeps its class.
std::string ClassName(int grade);

}  // namespace kx
