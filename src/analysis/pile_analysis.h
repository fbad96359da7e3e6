// The analysis aids on the stacked waveform as the project loader leaves it: the pile toe, the
// defects and the impedance profile, from one scan of the pile's echoes.
#pragma once

#include <vector>

#include "analysis/impedance_profile.h"
#include "analysis/pile_defects.h"
#include "analysis/pile_toe.h"
#include "record/pile_record.h"

namespace kx {

struct PileAnalysis {
    PileToe toe;
    std::vector<PileDefect> defects;
    PileImpedance impedance;
    double metresPerUs = 0;  // depth per µs of two-way travel time (length-fixed rule)
};

// Scans the trace for its echoes (echo_scan.h), then picks the toe, the defects and the
// profile.
PileAnalysis AnalyzePile(const PileRecord& rec);

}  // namespace kx
