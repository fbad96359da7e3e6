#include "print/straight_runs.h"

#include <cstdint>

namespace kx {

std::vector<ReportPoint> WithoutStraightThroughPoints(std::span<const ReportPoint> points) {
    std::vector<ReportPoint> kept;
    kept.reserve(points.size());
    for (const ReportPoint& p : points) {
        if (!kept.empty() && kept.back() == p) {
            continue;
        }
        if (kept.size() >= 2) {
            const ReportPoint& a = kept[kept.size() - 2];
            const ReportPoint& b = kept.back();
            const int64_t abx = int64_t{b.x} - a.x, aby = int64_t{b.y} - a.y;
            const int64_t bpx = int64_t{p.x} - b.x, bpy = int64_t{p.y} - b.y;
            // b lies on a-p and the path does not turn back at it: a-p draws the same.
            if (abx * bpy == aby * bpx && abx * bpx + aby * bpy > 0) {
                kept.back() = p;
                continue;
            }
        }
        kept.push_back(p);
    }
    return kept;
}

}  // namespace kx
