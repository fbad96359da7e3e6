// A field-like model of a low-strain test, independent of the travel-time grid of
// pile_model.h: the pile as a chain of segments of its own impedance and wave speed (speed may
// vary with depth, a defect may come on gradually), with the soil along the shaft as springs
// and dashpots in layers, the toe on a spring and dashpot, material damping of constant Q, a
// free head struck by a hammer of a chosen shape, and an accelerometer with its resonance and
// the instrument's anti-alias filter. Solved exactly in the frequency domain (transfer matrices,
// evaluated on a Laplace contour so that the periodic transform does not wrap) and sampled with
// a random trigger phase.
#pragma once

#include <vector>

namespace kx::synth {

// A change of cross-section: over [depthM, depthM + lengthM] the impedance is `ratio` times
// the nominal one, reached over `taperM` at each end (0: abruptly).
struct FieldDefect {
    double depthM = 0.0;
    double lengthM = 0.0;
    double ratio = 1.0;
    double taperM = 0.0;
};

enum class FieldToe {
    kFree,    // soft soil under the toe: a dashpot of `toeDashpot` times the pile's impedance
    kFixed,   // socketed in rock: the toe does not move
    kSpring,  // soil of `toeDashpot` with a spring of corner frequency `toeSpringHz`
};

struct FieldPile {
    double lengthM = 10.0;
    double speedMps = 3800.0;
    // Speed at the toe relative to the head's minus 1 (the concrete of a long pile is often
    // slower below); the impedance follows the speed.
    double speedGradient = 0.0;
    std::vector<FieldDefect> defects;
    // The shaft's soil: the share of the toe echo it takes (0 to 0.95), spread over layers of
    // relative strength `layerWeights` (equal layers from head to toe; empty: one layer).
    double soilLoss = 0.0;
    std::vector<double> layerWeights;
    // The soil's spring against its dashpot, as the corner frequency k / (2 pi c): the lower
    // frequencies the spring resists, which makes the trace fall below zero after the blow.
    double soilSpringHz = 250.0;
    FieldToe toe = FieldToe::kFree;
    double toeDashpot = 0.25;
    double toeSpringHz = 400.0;
    // Material damping: quality factor (0: none).
    double q = 0.0;
};

enum class PulseShape { kHalfSine, kHaversine };

struct FieldHammer {
    PulseShape shape = PulseShape::kHalfSine;
    double onsetUs = 160.0;
    double durationUs = 800.0;
    double amplitude = 1.0;  // peak force, in units of the pile's impedance
    // A double hit: a second, weaker blow `secondDelayUs` after the first (0: none).
    double secondAmplitude = 0.0;
    double secondDelayUs = 0.0;
};

struct FieldSensor {
    double resonanceHz = 0.0;  // the accelerometer's mounted resonance (0: none)
    double resonanceQ = 20.0;
    double antiAliasHz = 0.0;     // 4-pole Butterworth before sampling (0: none)
    double triggerDelayUs = 0.0;  // where the first sample falls, 0 .. one interval
};

// The head's acceleration as the sensor gives it, at t = triggerDelay + i x intervalUs, in
// velocity units (the incident pulse's peak velocity is `amplitude`) per µs.
std::vector<double> FieldAcceleration(const FieldPile& pile, const FieldHammer& hammer,
                                      const FieldSensor& sensor, double intervalUs, int count);

// The impedance of the shaft at `depthM` relative to the head's (defects and speed gradient).
double FieldImpedance(const FieldPile& pile, double depthM);

}  // namespace kx::synth
