// The analysis aids on the stacked waveform as the project loader leaves it: the pile toe, the
// defects and the impedance profile, from one fit of the pile's echoes.
#pragma once

#include <vector>

#include "record/pile_record.h"
#include "waveform/impedance_profile.h"
#include "waveform/pile_defects.h"
#include "waveform/pile_toe.h"

namespace kx {

struct PileAnalysis {
    PileToe toe;
    std::vector<PileDefect> defects;
    PileImpedance impedance;
    double metresPerUs = 0;  // depth per µs of two-way travel time (length-fixed rule)
};

// Fits the echoes, picks the toe, and with a pile length fits again with the damping per time
// of the wave speed the toe gives (damping is set per metre), before picking the defects and
// the profile.
PileAnalysis AnalyzePile(const PileRecord& rec);

}  // namespace kx
