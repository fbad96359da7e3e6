// One-dimensional stress-wave model of a pile struck on its head, for synthetic pile tests.
#pragma once

#include <vector>

namespace kx::synth {

// Free: soft soil under the toe; fixed: socketed in rock; spring: soil of a spring and a
// dashpot (the field model only).
enum class ToeCondition { kFree, kFixed, kSpring };

// A change of cross-section along the shaft: over [depthM, depthM + lengthM] the impedance is
// `ratio` times the nominal one (below 1 a necking, above 1 a bulge).
struct Defect {
    double depthM = 0.0;
    double lengthM = 0.0;
    double ratio = 1.0;
    double taperM = 0.0;  // the field model reaches the ratio over this at each end
};

struct PileModel {
    double lengthM = 10.0;
    double speedMps = 3800.0;
    std::vector<Defect> defects;
    ToeCondition toe = ToeCondition::kFree;
    // Soil resistance along the shaft as a dashpot per metre, in units of the nominal pile
    // impedance; a wave running down and back over L metres keeps about exp(-shaft * L).
    double shaftDampingPerM = 0.06;
    // Material damping of the concrete: amplitude loss per metre of travel.
    double materialDampingPerM = 0.005;
    // Soil impedance under the toe relative to the pile's: soft soil under a free toe, rock
    // under a fixed (socketed) one.
    double freeToeSoilRatio = 0.25;
    double fixedToeSoilRatio = 4.0;
};

// The hammer's force at the head: a half sine of `durationUs` starting at `onsetUs`, with
// peak force `amplitude` x the nominal pile impedance (so the incident velocity peaks at
// `amplitude`).
struct HammerPulse {
    double onsetUs = 160.0;
    double durationUs = 800.0;
    double amplitude = 1.0;
};

// Pile-head velocity at t = i x intervalUs for i = 0 .. count-1, in the units of the pulse
// amplitude (positive = downward, the direction of the blow).
std::vector<double> HeadVelocity(const PileModel& pile, const HammerPulse& pulse, double intervalUs,
                                 int count);

}  // namespace kx::synth
