// 阻抗曲线: the shaft's impedance from head to toe relative to the head's, by the classical
// recursion over elements of equal travel time: each element's reflection coefficient r takes
// the impedance below it to Z (1 - r) / (1 + r). The coefficients are the changes the echo fit
// found, with the soil's damping along the shaft compensated: the fit's model lets each echo
// fade by the soil's resistance and the concrete's loss (EchoFitOptions, per metre of depth),
// so the coefficients are those of the pile itself, not shrunk with depth; and the soil's own
// faint reflection from everywhere along the shaft is part of the model, not of the pile.
#pragma once

#include <vector>

#include "analysis/echo_fit.h"
#include "analysis/pile_toe.h"
#include "record/pile_record.h"

namespace kx {

struct PileImpedance {
    double dzM = 0;              // element length: one sampling interval of two-way travel
    std::vector<double> values;  // impedance of the elements from the head (1.0) down
};

// The profile of a fit down to the toe (or the record's end without one).
PileImpedance ImpedanceFromFit(const EchoFit& fit, const PileToe& toe, double metresPerUs);

// The profile of the record's stacked waveform as the project loader leaves it.
PileImpedance ImpedanceProfile(const PileRecord& rec);

}  // namespace kx
