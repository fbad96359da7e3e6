// The hammer's incident wave as the pile head records it: the template that every echo from
// along the shaft repeats, delayed by its travel time and scaled by its reflection.
#pragma once

#include <vector>

namespace kx {

// Normalised velocity samples of the incident pulse on the record's sample grid.
struct IncidentPulse {
    int first = 0;              // index of shape[0] in the record
    std::vector<double> shape;  // velocity, the trace's peak being 1
    double peak = 0;            // sub-sample position of the pulse's own peak

    bool empty() const { return shape.empty(); }
    // The pulse at record position x (in samples), interpolated by a cubic through the four
    // nearest samples; 0 outside the pulse.
    double At(double x) const;
};

// s at position x (in samples) by a cubic through the four nearest samples (Catmull-Rom),
// taking samples outside s as 0.
double CubicInterpolate(const std::vector<double>& s, double x);

// The trace's pile-top peak: the first highest sample (as the markers place the pile top) and
// its position refined between samples by a parabola through it and its neighbours. Returns
// false when the trace has no positive sample.
bool FindPileTopPeak(const std::vector<double>& trace, int& index, double& position);

// Estimates the incident pulse from the normalised velocity trace `v` (peak 1 at
// `peakIndex`): the trace from the quiet before the blow until the pulse has fallen back to
// zero, which ends the pulse. Echoes from below reach the head only after that (the analyses
// leave the pile's first metres, which the blow itself covers, alone). The trace already
// carries the head's share of the shaft's soil resistance, which is taken back out: the soil
// sends back `soilPerSample` of the incident velocity per sample of travel, fading by
// exp(-fadePerSample) per sample.
IncidentPulse EstimateIncidentPulse(const std::vector<double>& v, int peakIndex,
                                    double soilPerSample, double fadePerSample);

}  // namespace kx
