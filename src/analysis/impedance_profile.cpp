#include "analysis/impedance_profile.h"

#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

PileImpedance ImpedanceFromFit(const EchoFit& fit, const PileToe& toe, double metresPerUs) {
    PileImpedance profile;
    if (!fit.ok || fit.intervalUs <= 0) {
        return profile;
    }
    profile.dzM = metresPerUs * fit.intervalUs;
    const double endUs = toe.timeUs ? *toe.timeUs : fit.sampleCount * fit.intervalUs;
    const int elements = static_cast<int>(std::floor(endUs / fit.intervalUs));
    double z = 1.0;
    size_t next = 0;
    for (int k = 0; k <= elements; ++k) {
        // Element k starts k intervals of two-way time below the head; the changes up to
        // there set its impedance (the toe's own is no part of the shaft).
        const double t = k * fit.intervalUs;
        while (next < fit.changes.size() && fit.changes[next].timeUs <= t &&
               fit.changes[next].timeUs < endUs - 0.5 * fit.intervalUs) {
            const double r = fit.changes[next].r;
            z *= (1.0 - r) / (1.0 + r);
            ++next;
        }
        profile.values.push_back(z);
    }
    return profile;
}

PileImpedance ImpedanceProfile(const PileRecord& rec) {
    return AnalyzePile(rec).impedance;
}

}  // namespace kx
