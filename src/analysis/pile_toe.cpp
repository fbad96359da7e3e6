#include "analysis/pile_toe.h"

#include <algorithm>
#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

namespace {

// Margin on the window of travel times, for speeds just outside the usual range.
constexpr double kWindowMargin = 0.03;
// A toe echo must be at least this share of the blow...
constexpr double kWeakestToe = 0.02;
// ...and this many noise deviations strong.
constexpr double kToeSigmas = 4.0;
// The first arrival in the window at least this share of the strongest is the toe.
constexpr double kFirstToeShare = 0.5;
// The two halves of a spring toe's echo lie within this many rises of each other, the first
// at least this share of the second.
constexpr double kToeHalvesRises = 2.5;
constexpr double kToeFirstHalfShare = 0.3;
// An echo this many noise deviations strong is as believable as any.
constexpr double kSureSigmas = 20.0;

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

PileToe PickPileToe(const EchoScan& scan, double pileLengthM, double waveSpeedMps) {
    PileToe toe;
    if (!scan.ok) {
        return toe;
    }
    const double recordUs = (scan.sampleCount - 1 - scan.peak) * scan.intervalUs;
    const ToeWindow window = WindowForToe(pileLengthM, waveSpeedMps, recordUs);
    const auto candidate = [&](const Arrival& a) {
        return !a.insideBlow && a.timeUs >= window.earliest && a.timeUs <= window.latest &&
               std::fabs(a.amplitude) >= kWeakestToe && a.sigmas >= kToeSigmas;
    };
    double strongest = 0;
    for (const Arrival& a : scan.arrivals) {
        if (candidate(a)) {
            strongest = std::max(strongest, std::fabs(a.amplitude));
        }
    }
    // The toe is the first strong wave back: what follows it in the window is its own wake
    // (the soil's pull behind it, a spring toe's rebound) or an echo of an echo.
    const Arrival* best = nullptr;
    for (const Arrival& a : scan.arrivals) {
        if (candidate(a) && std::fabs(a.amplitude) >= kFirstToeShare * strongest) {
            best = &a;
            break;
        }
    }
    if (best == nullptr) {
        return toe;
    }
    // A toe on a spring (or soft soil under a stiff one) sends the blow back first as it came
    // and then, once the spring has taken the load, inverted and often stronger: the echo
    // begins with the first half.
    for (const Arrival& a : scan.arrivals) {
        if (&a != best && candidate(a) && a.index < best->index &&
            best->index - a.index <= kToeHalvesRises * scan.width &&
            (a.amplitude > 0) != (best->amplitude > 0) &&
            std::fabs(a.amplitude) >= kToeFirstHalfShare * std::fabs(best->amplitude)) {
            best = &a;
            break;
        }
    }
    // The strongest other arrival in the window, its own side lobes (within two rises) aside.
    double second = 0;
    for (const Arrival& a : scan.arrivals) {
        if (&a == best || a.insideBlow || a.timeUs < window.earliest || a.timeUs > window.latest ||
            std::fabs(a.index - best->index) <= 2 * scan.width) {
            continue;
        }
        second = std::max(second, std::fabs(a.amplitude));
    }
    toe.timeUs = best->timeUs;
    const double support = std::min(1.0, best->sigmas / kSureSigmas);
    // The chosen echo need not be the strongest (an earlier one may be taken): never below 0.
    toe.confidence = support * std::max(0.0, 1.0 - second / std::fabs(best->amplitude));
    return toe;
}

PileToe FindPileToe(const PileRecord& rec) {
    return AnalyzePile(rec).toe;
}

}  // namespace kx
