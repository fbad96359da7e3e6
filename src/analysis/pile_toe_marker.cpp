#include "analysis/pile_toe_marker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "waveform/marker_time.h"

namespace kx {

std::optional<int32_t> PileBottomXForToe(const MarkerState& s, double toeUs) {
    if (s.record == nullptr || s.viewWidth <= 0 || !std::isfinite(toeUs)) {
        return std::nullopt;
    }
    const PileRecord& rec = *s.record;
    const int n = rec.SampleCount();
    const double target = static_cast<double>(rec.pileTopTimeUs) + toeUs;
    std::optional<int32_t> best;
    double bestError = 0;
    // Right of the pile top (桩底 refuses anything else) and on the view.
    const int64_t first = std::max<int64_t>(0, static_cast<int64_t>(s.topX) + 1);
    for (int64_t px = first; px < s.viewWidth; ++px) {
        const int32_t x = static_cast<int32_t>(px);
        const double error =
            std::fabs(CursorTimeUs(x, n, s.viewWidth, rec.sampleIntervalUs) - target);
        if (!best || error < bestError) {
            best = x;
            bestError = error;
        }
    }
    if (!best || bestError > rec.sampleIntervalUs) {
        return std::nullopt;
    }
    return best;
}

std::string ToeFoundText(const PileToe& toe) {
    char text[160];
    std::snprintf(text, sizeof text, "自动识别桩底：桩顶至桩底 %.0f us，可信度 %d%%",
                  toe.timeUs.value_or(0.0),
                  static_cast<int>(std::lround(std::clamp(toe.confidence, 0.0, 1.0) * 100)));
    return text;
}

}  // namespace kx
