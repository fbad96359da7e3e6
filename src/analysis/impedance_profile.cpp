#include "analysis/impedance_profile.h"

#include <cmath>

#include "analysis/pile_analysis.h"

namespace kx {

PileImpedance ImpedanceFromDefects(const EchoScan& scan, const PileToe& toe,
                                   const std::vector<PileDefect>& defects, double metresPerUs) {
    PileImpedance profile;
    if (!scan.ok || scan.intervalUs <= 0) {
        return profile;
    }
    profile.dzM = metresPerUs * scan.intervalUs;
    const double endUs =
        toe.timeUs ? *toe.timeUs : (scan.sampleCount - 1 - scan.peak) * scan.intervalUs;
    const int elements = static_cast<int>(std::floor(endUs / scan.intervalUs));
    for (int k = 0; k <= elements; ++k) {
        // Element k starts k intervals of two-way time below the head.
        const double t = k * scan.intervalUs;
        double z = 1.0;
        for (const PileDefect& d : defects) {
            const bool inside = t >= d.timeUs && (d.endUs <= 0 || t < d.endUs);
            if (inside && d.ratio) {
                z *= *d.ratio;
            }
        }
        profile.values.push_back(z);
    }
    return profile;
}

PileImpedance ImpedanceProfile(const PileRecord& rec) {
    return AnalyzePile(rec).impedance;
}

}  // namespace kx
