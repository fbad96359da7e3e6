#include "analysis/pile_defects.h"

#include <algorithm>
#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

namespace {

// An echo up to this many times the size an echo of two echoes would have is taken for one.
constexpr double kMultipleMargin = 2.0;
// The echo where the shaft comes back is at most this many times the defect's own.
constexpr double kLargestWayBack = 1.5;
// Reflections beyond this are no section of a pile.
constexpr double kLargestReflection = 0.95;

// The impedance ratio a reflection coefficient r gives, falling (necking) or rising (bulge).
double RatioOf(double r, DefectKind kind) {
    r = std::clamp(r, 0.0, kLargestReflection);
    return kind == DefectKind::kNecking ? (1.0 - r) / (1.0 + r) : (1.0 + r) / (1.0 - r);
}

// The share of the wave a change sends back: its echo at the head is twice that, faded on
// its way.
double Reflection(const EchoScan& scan, const Arrival& a) {
    return 0.5 * std::fabs(a.amplitude) * std::exp(scan.fadePerUs * a.timeUs);
}

}  // namespace

double MetresPerMicrosecond(const PileRecord& rec, const PileToe& toe) {
    if (toe.timeUs && *toe.timeUs > 0 && rec.pileLength > 0 && std::isfinite(rec.pileLength)) {
        return rec.pileLength / *toe.timeUs;
    }
    return rec.waveSpeed > 0 && std::isfinite(rec.waveSpeed) ? rec.waveSpeed * 0.5e-6 : 0.0;
}

double ShaftEndUs(const PileRecord& rec, const PileToe& toe) {
    const double recordUs = rec.SampleCount() * static_cast<double>(rec.sampleIntervalUs);
    if (toe.timeUs) {
        return *toe.timeUs;
    }
    const double earliest = WindowForToe(rec.pileLength, rec.waveSpeed, recordUs).earliest;
    return earliest > 0 ? earliest : recordUs;
}

std::vector<PileDefect> PickDefects(const EchoScan& scan, double endUs, double metresPerUs,
                                    const DefectOptions& options) {
    std::vector<PileDefect> defects;
    if (!scan.ok) {
        return defects;
    }
    // The toe's own echo (its rise before the peak included) is no part of the shaft.
    const double end = endUs - 1.5 * scan.width * scan.intervalUs;
    const double riseUs = scan.width * scan.intervalUs;
    std::vector<const Arrival*> echoes;
    for (const Arrival& a : scan.arrivals) {
        // Inside the blow, and just after it, only a strong echo stands out of what the blow's
        // own shape leaves.
        const bool early = a.timeUs < options.earlyRises * riseUs;
        // Right after it, the soil's pull and the blow's tail bring the trace back below its
        // rest, which matches like a bulge: a rising impedance must stand out more there.
        const double justAfter =
            a.amplitude < 0 ? options.smallestBulgeJustAfterBlow : options.smallestJustAfterBlow;
        const double smallest =
            a.insideBlow ? options.smallestInsideBlow : (early ? justAfter : 0.0);
        // Within half a rise of the blow's peak a wave is the blow itself, shaped a little
        // otherwise than the blow's likeness (a double hit, the hammer's bounce).
        if (a.timeUs >= 0.5 * riseUs && a.timeUs < end && a.sigmas >= options.sigmas &&
            std::fabs(a.amplitude) >= smallest &&
            (a.insideBlow || Reflection(scan, a) >= options.smallestReflection)) {
            echoes.push_back(&a);
        }
    }
    // An echo of two echoes (down to one change, back up to the head, down again to another)
    // comes back at the sum of their times with their product (half of it when both are the
    // same change: one way round instead of two): no change of its own. Both must have come
    // back after the blow's rise and neither be the echo itself, or what the blow's own shape
    // leaves would explain every later wave as its own echo.
    const auto echoOfEchoes = [&](const Arrival& c) {
        for (const Arrival* a : echoes) {
            for (const Arrival* b : echoes) {
                if (a->timeUs + b->timeUs > c.timeUs + riseUs) {
                    break;
                }
                if (a == &c || b == &c || a->timeUs < riseUs || b->timeUs < riseUs) {
                    continue;
                }
                const double expected = (a == b ? 0.5 : 1.0) * a->amplitude * b->amplitude;
                if (std::fabs(a->timeUs + b->timeUs - c.timeUs) <= riseUs &&
                    (expected > 0) == (c.amplitude > 0) &&
                    std::fabs(c.amplitude) <= kMultipleMargin * std::fabs(expected)) {
                    return true;
                }
            }
        }
        return false;
    };
    std::vector<const Arrival*> changes;
    for (const Arrival* a : echoes) {
        if (!echoOfEchoes(*a)) {
            changes.push_back(a);
        }
    }
    echoes = std::move(changes);
    const double longestUs = metresPerUs > 0 ? options.longestM / metresPerUs : 0.0;
    std::vector<bool> used(echoes.size(), false);
    for (size_t i = 0; i < echoes.size(); ++i) {
        if (used[i]) {
            continue;
        }
        const Arrival& a = *echoes[i];
        PileDefect d;
        d.timeUs = a.timeUs;
        d.kind = a.amplitude > 0 ? DefectKind::kNecking : DefectKind::kBulge;
        // The way back: the next echo of the other sign, neither much weaker nor much
        // stronger, before any stronger one of the same sign. A wave inside the blow has no
        // size to compare.
        for (size_t j = i + 1;
             !a.insideBlow && j < echoes.size() && echoes[j]->timeUs - a.timeUs <= longestUs; ++j) {
            const Arrival& b = *echoes[j];
            if ((b.amplitude > 0) == (a.amplitude > 0)) {
                if (std::fabs(b.amplitude) > std::fabs(a.amplitude)) {
                    break;
                }
                continue;
            }
            // Much stronger, it is a change of its own (a weak wave before a necking is no
            // bulge that the necking closes).
            if (std::fabs(b.amplitude) > kLargestWayBack * std::fabs(a.amplitude)) {
                break;
            }
            if (std::fabs(b.amplitude) >= 0.35 * std::fabs(a.amplitude)) {
                d.endUs = b.timeUs;
                used[j] = true;
                break;
            }
        }
        if (!a.insideBlow) {
            d.ratio = RatioOf(Reflection(scan, a), d.kind);
        }
        d.depthM = d.timeUs * metresPerUs;
        defects.push_back(d);
    }
    return defects;
}

std::vector<PileDefect> FindDefects(const PileRecord& rec) {
    return AnalyzePile(rec).defects;
}

}  // namespace kx
