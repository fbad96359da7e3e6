#include "analysis/pile_toe.h"

#include <algorithm>
#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

namespace {

// Changes weaker than this are no toe: a pile on soil or rock sends back far more.
constexpr double kWeakestToe = 0.1;
// Margin on the window of travel times, for speeds just outside the usual range.
constexpr double kWindowMargin = 0.03;
// An echo this many noise deviations strong is as believable as any.
constexpr double kSureSigmas = 8.0;
// Spread (in log time) of the preference for the record's own wave speed.
constexpr double kSpeedPriorSpread = 0.25;

}  // namespace

ToeWindow WindowForToe(double pileLengthM, double waveSpeedMps, double recordUs) {
    ToeWindow w{0.0, recordUs, 0.0};
    // A length or speed that is not a positive number (a damaged header) counts as unset.
    if (pileLengthM > 0 && std::isfinite(pileLengthM)) {
        w.earliest = 2e6 * pileLengthM / kHighestPileSpeed * (1.0 - kWindowMargin);
        w.latest = 2e6 * pileLengthM / kLowestPileSpeed * (1.0 + kWindowMargin);
        if (waveSpeedMps > 0 && std::isfinite(waveSpeedMps)) {
            w.expected = 2e6 * pileLengthM / waveSpeedMps;
            w.earliest = std::min(w.earliest, w.expected * 0.85);
            w.latest = std::max(w.latest, w.expected * 1.15);
        }
    }
    return w;
}

PileToe PickPileToe(const EchoFit& fit, double pileLengthM, double waveSpeedMps) {
    PileToe toe;
    if (!fit.ok) {
        return toe;
    }
    const ToeWindow window =
        WindowForToe(pileLengthM, waveSpeedMps, fit.sampleCount * fit.intervalUs);
    const double earliest = window.earliest, latest = window.latest;
    const double expected = window.expected;
    double best = 0.0, second = 0.0;
    const FoundChange* pick = nullptr;
    for (const FoundChange& c : fit.changes) {
        if (c.timeUs < earliest || c.timeUs > latest || std::fabs(c.r) < kWeakestToe) {
            continue;
        }
        // A strong reflection that barely stands out of the noise is more likely a misfit of
        // the model's late echoes, where undoing the damping magnifies everything.
        const double support = c.sigmas / kSureSigmas;
        double score = std::fabs(c.r) * (1.0 - std::exp(-support * support));
        if (expected > 0) {
            const double d = std::log(c.timeUs / expected) / kSpeedPriorSpread;
            score *= std::exp(-0.5 * d * d);
        }
        if (score > best) {
            second = best;
            best = score;
            pick = &c;
        } else {
            second = std::max(second, score);
        }
    }
    if (pick == nullptr) {
        return toe;
    }
    toe.timeUs = pick->timeUs;
    // Sure when the echo stands well out of the noise and nothing else could be the toe.
    toe.confidence = (1.0 - std::exp(-pick->sigmas / 10.0)) * (1.0 - second / best);
    return toe;
}

PileToe FindPileToe(const PileRecord& rec) {
    return AnalyzePile(rec).toe;
}

}  // namespace kx
