#include "waveform/axis_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "waveform/spectrum.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {

LinearAxis MakeLinearAxis(double pixelsPerUnit, int shownWidth) {
    LinearAxis axis;
    if (!(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit) || shownWidth <= 0) {
        return axis;
    }
    // The smallest 1-2-5 step whose labels stand far enough apart.
    const double least = kAxisLabelSpacingPx / pixelsPerUnit;
    const double decade = std::pow(10.0, std::floor(std::log10(least)));
    double step = decade * 10;
    for (double m : {1.0, 2.0, 5.0}) {
        if (decade * m >= least * (1 - 1e-12)) {
            step = decade * m;
            break;
        }
    }
    axis.step = step;
    const double half = step / 2;
    for (int k = 0;; ++k) {
        const double x = k * half * pixelsPerUnit;
        if (x >= shownWidth) {
            break;
        }
        axis.ticks.push_back({static_cast<int32_t>(std::lround(x)), k * half, k % 2 == 0});
    }
    return axis;
}

LinearAxis TimeAxis(int markerWidth, int shownWidth, const PileRecord& rec) {
    const double totalMs = static_cast<double>(rec.SampleCount()) * rec.sampleIntervalUs / 1000.0;
    if (totalMs <= 0) {
        return {};
    }
    return MakeLinearAxis(markerWidth / totalMs, std::min(markerWidth, shownWidth));
}

LinearAxis FrequencyAxis(int viewWidth, int zoom, int count, int32_t intervalUs) {
    if (count <= 0 || intervalUs <= 0) {
        return {};
    }
    const int n = SpectrumLength(count);
    const double binsPerHz = n * static_cast<double>(intervalUs) / 1e6;
    return MakeLinearAxis(binsPerHz * PixelsPerSample(viewWidth, count) * zoom, viewWidth);
}

std::string AxisLabel(double value, double step) {
    const int decimals =
        step > 0 ? std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6) : 0;
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace kx
