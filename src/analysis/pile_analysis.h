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
    // The first necking's echo coming back again and again: the number of its repeats at
    // twice, three times ... its time, in a row (0: none).
    int periodicEchoes = 0;
};

// The repeats of the echo at `timeUs` (sign of `amplitude`) in the scan, at k times its time
// for k = 2, 3, ... until one is missing.
int RepeatsOf(const EchoScan& scan, double timeUs, double amplitude);

// Scans the trace for its echoes (echo_scan.h), then picks the toe, the defects and the
// profile.
PileAnalysis AnalyzePile(const PileRecord& rec);

}  // namespace kx
