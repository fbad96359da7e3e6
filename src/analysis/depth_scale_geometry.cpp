#include "analysis/depth_scale_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kx {

namespace {

// Steps a reader counts in, in metres.
constexpr double kSteps[] = {0.5, 1, 2, 5, 10, 20, 50, 100};

// x of a time (µs from the record's start) on a view of W pixels showing the whole record.
std::optional<int32_t> TimeToX(double timeUs, int viewWidth, const PileRecord& rec) {
    const double total = static_cast<double>(rec.SampleCount()) * rec.sampleIntervalUs;
    if (total <= 0 || viewWidth <= 0 || !std::isfinite(timeUs)) {
        return std::nullopt;
    }
    const double x = std::trunc(viewWidth * (timeUs / total));
    if (x < 0 || x >= viewWidth) {
        return std::nullopt;
    }
    return static_cast<int32_t>(x);
}

}  // namespace

double DepthPixelsPerMetre(int viewWidth, const PileRecord& rec) {
    const double total = static_cast<double>(rec.SampleCount()) * rec.sampleIntervalUs;
    const double v = rec.waveSpeed;
    if (viewWidth <= 0 || total <= 0 || !(v > 0) || !std::isfinite(v)) {
        return 0.0;
    }
    return viewWidth * (2e6 / v) / total;
}

std::optional<DepthScale> ComputeDepthScale(int viewWidth, int viewHeight, int32_t topX,
                                            const PileRecord& rec, int shownWidth) {
    const double ppm = DepthPixelsPerMetre(viewWidth, rec);
    const int right = std::min(viewWidth, shownWidth);
    if (!(ppm > 0) || !std::isfinite(ppm) || viewHeight < 2 * kDepthScaleHeight || topX < 0 ||
        topX >= right) {
        return std::nullopt;
    }
    DepthScale scale;
    scale.baselineY = viewHeight - kDepthScaleHeight;
    scale.fromX = topX;
    scale.toX = right - 1;
    scale.stepM = kSteps[std::size(kSteps) - 1];
    for (double step : kSteps) {
        if (step * ppm >= kDepthTickSpacingPx) {
            scale.stepM = step;
            break;
        }
    }
    // A tick every half step, every other one labelled.
    const double half = scale.stepM / 2;
    for (int k = 0;; ++k) {
        const double depth = k * half;
        const double x = topX + depth * ppm;
        if (x > scale.toX) {
            break;
        }
        scale.ticks.push_back({static_cast<int32_t>(std::lround(x)), depth, k % 2 == 0});
    }
    return scale;
}

std::string DepthLabel(double depthM, double stepM) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", stepM < 1 ? 1 : 0, depthM);
    return text;
}

std::vector<DefectMark> DefectMarks(const std::vector<PileDefect>& defects, int viewWidth,
                                    const PileRecord& rec) {
    std::vector<DefectMark> marks;
    for (const PileDefect& d : defects) {
        if (const auto x = TimeToX(rec.pileTopTimeUs + d.timeUs, viewWidth, rec)) {
            marks.push_back({*x, d.kind});
        }
    }
    return marks;
}

}  // namespace kx
