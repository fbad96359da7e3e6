#include "analysis/pile_defects.h"

#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

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

std::vector<PileDefect> PickDefects(const EchoFit& fit, double endUs, double metresPerUs,
                                    const DefectOptions& options) {
    std::vector<PileDefect> defects;
    if (!fit.ok) {
        return defects;
    }
    // The toe's own change and what lies below it are no part of the shaft.
    const double end = endUs - 0.5 * fit.intervalUs;
    const double shortestUs = metresPerUs > 0 ? options.shortestM / metresPerUs : 0.0;
    const double limit = std::log(options.reportRatio);
    // Walk down the shaft as a chain of sections of constant impedance.
    double reference = 1.0;  // impedance above the section being looked at
    double z = 1.0;
    bool inside = false;
    PileDefect current;
    double extreme = 1.0, startUs = 0.0;
    for (const FoundChange& c : fit.changes) {
        if (c.timeUs >= end) {
            break;
        }
        z *= (1.0 - c.r) / (1.0 + c.r);
        const double level = std::log(z / reference);
        if (!inside) {
            if (std::fabs(level) >= limit) {
                inside = true;
                startUs = c.timeUs;
                extreme = level;
                current = PileDefect{};
                current.timeUs = c.timeUs;
                current.kind = level < 0 ? DefectKind::kNecking : DefectKind::kBulge;
            } else {
                reference = z;  // small steps shift what the shaft counts as sound
            }
            continue;
        }
        const bool necking = current.kind == DefectKind::kNecking;
        if ((necking && level <= -limit) || (!necking && level >= limit)) {
            extreme = necking ? std::min(extreme, level) : std::max(extreme, level);
            continue;
        }
        // Back (or past) the shaft's impedance: the defect ends here.
        if (c.timeUs - startUs >= shortestUs) {
            current.ratio = std::exp(extreme);
            defects.push_back(current);
        }
        inside = false;
        reference = z;
    }
    if (inside && end - startUs >= shortestUs) {
        current.ratio = std::exp(extreme);
        defects.push_back(current);
    }
    for (PileDefect& d : defects) {
        d.depthM = d.timeUs * metresPerUs;
    }
    return defects;
}

std::vector<PileDefect> FindDefects(const PileRecord& rec) {
    return AnalyzePile(rec).defects;
}

}  // namespace kx
