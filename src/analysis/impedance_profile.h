// 阻抗曲线: the shaft's impedance from head to toe relative to the head's: 1 down to each
// defect, its ratio over the defect's length, back after it, down to the toe.
#pragma once

#include <vector>

#include "analysis/pile_defects.h"
#include "analysis/pile_toe.h"
#include "record/pile_record.h"

namespace kx {

struct PileImpedance {
    double dzM = 0;              // element length: one sampling interval of two-way travel
    std::vector<double> values;  // impedance of the elements from the head (1.0) down
};

// The profile down to the toe (or the record's end without one), in elements of one sampling
// interval of two-way time, from the defects found.
PileImpedance ImpedanceFromDefects(const EchoScan& scan, const PileToe& toe,
                                   const std::vector<PileDefect>& defects, double metresPerUs);

// The profile of the record's stacked waveform as the project loader leaves it.
PileImpedance ImpedanceProfile(const PileRecord& rec);

}  // namespace kx
