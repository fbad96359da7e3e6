// Method of characteristics on a grid of equal travel time: the pile is cut into N elements
// that a wave crosses in one time step tau = L / (c N), so down- and up-going velocity waves
// move exactly one element per step without numerical dispersion. At each node between two
// elements the waves meet the impedances above and below and the shaft's soil dashpot: force
// balance and continuity of velocity give the node velocity and the waves leaving it. The
// head node receives the hammer force, the toe node a soil dashpot. Impedances are relative
// to the nominal one, so a defect is simply an element impedance other than 1.
#include "synth/pile_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "waveform/float32.h"

namespace kx::synth {

namespace {

// Elements per sampling interval in travel time; the head signal is sampled between steps
// by linear interpolation, which this keeps well below the noise.
constexpr double kStepsPerSample = 4.0;
constexpr int kMinElements = 16;

double Force(const HammerPulse& p, double tUs) {
    const double x = (tUs - p.onsetUs) / p.durationUs;
    if (x <= 0.0 || x >= 1.0) {
        return 0.0;
    }
    return p.amplitude * std::sin(std::numbers::pi * x);
}

}  // namespace

std::vector<double> HeadVelocity(const PileModel& pile, const HammerPulse& pulse, double intervalUs,
                                 int count) {
    std::vector<double> out(static_cast<size_t>(std::max(count, 0)), 0.0);
    if (count <= 0 || intervalUs <= 0.0 || pile.lengthM <= 0.0 || pile.speedMps <= 0.0) {
        return out;
    }
    const double oneWayUs = pile.lengthM / pile.speedMps * 1e6;
    const int n =
        std::max(kMinElements, TruncToInt32(std::ceil(oneWayUs * kStepsPerSample / intervalUs)));
    const double tauUs = oneWayUs / n;
    const double dx = pile.lengthM / n;

    std::vector<double> z(static_cast<size_t>(n), 1.0);
    for (int k = 0; k < n; ++k) {
        const double mid = (k + 0.5) * dx;
        for (const Defect& d : pile.defects) {
            if (mid >= d.depthM && mid < d.depthM + d.lengthM) {
                z[k] *= d.ratio;
            }
        }
    }
    const double shaft = pile.shaftDampingPerM * dx;  // dashpot of one node
    const double keep = std::exp(-pile.materialDampingPerM * dx);
    const double soil =
        pile.toe == ToeCondition::kFree ? pile.freeToeSoilRatio : pile.fixedToeSoilRatio;

    // down[k]: down-going wave arriving at the bottom of element k; up[k]: up-going wave
    // arriving at the top of element k.
    std::vector<double> down(n, 0.0), up(n, 0.0), nextDown(n, 0.0), nextUp(n, 0.0);
    const double endUs = (count - 1) * intervalUs;
    const int steps = TruncToInt32(std::ceil(endUs / tauUs)) + 2;
    std::vector<double> head(static_cast<size_t>(steps), 0.0);
    for (int s = 0; s < steps; ++s) {
        // Head: the applied force sets the down-going wave, F / Z = down - up.
        const double f = Force(pulse, s * tauUs);
        head[s] = f + 2.0 * up[0];
        nextDown[0] = keep * (f + up[0]);
        // Shaft nodes: Za (down_in - up_out) - Zb (down_out - up_in) = shaft v.
        for (int j = 1; j < n; ++j) {
            const double za = z[j - 1];
            const double zb = z[j];
            const double dIn = down[j - 1];
            const double uIn = up[j];
            const double v = 2.0 * (za * dIn + zb * uIn) / (za + zb + shaft);
            nextUp[j - 1] = keep * (v - dIn);
            nextDown[j] = keep * (v - uIn);
        }
        // Toe: Z (down_in - up_out) = soil v.
        const double zt = z[n - 1];
        const double dIn = down[n - 1];
        const double v = 2.0 * zt * dIn / (zt + soil);
        nextUp[n - 1] = keep * (v - dIn);
        down.swap(nextDown);
        up.swap(nextUp);
    }
    for (int i = 0; i < count; ++i) {
        const double pos = i * intervalUs / tauUs;
        const int s = std::min(TruncToInt32(pos), steps - 2);
        const double frac = pos - s;
        out[i] = head[s] + (head[s + 1] - head[s]) * frac;
    }
    return out;
}

}  // namespace kx::synth
