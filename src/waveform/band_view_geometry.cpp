#include "waveform/band_view_geometry.h"

#include <algorithm>
#include <cmath>

#include "waveform/float32.h"
#include "waveform/marker_time.h"

namespace kx {

std::vector<PlotPoint> BandPlot(const int32_t* samples, int count, int width, int32_t bandTop) {
    const int32_t centre = bandTop + kBandHeight / 2;
    std::vector<PlotPoint> points{{0, centre}};
    if (samples == nullptr || count <= 0) {
        return points;
    }
    double peak = 0;
    for (int i = 0; i < count; ++i) {
        peak = std::fmax(peak, std::fabs(static_cast<double>(samples[i])));
    }
    if (peak == 0) {
        peak = 1;  // silence: a flat line instead of a division by zero
    }
    const float step = F32(QuotientOrZero(width, count));
    const float vs = F32(75.0 / peak);
    points.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        points.push_back({TruncToInt32(static_cast<double>(i) * step),
                          TruncToInt32(centre - static_cast<double>(samples[i]) * vs)});
    }
    return points;
}

int BlowAt(int32_t x, int32_t pictureY, int32_t right) {
    if (x < 0 || x >= right) {
        return -1;
    }
    for (int j = 0; j < kRawBandCount; ++j) {
        const int32_t b = BandTop(j);
        if (pictureY >= b + 1 && pictureY < b + kBandHeight) {
            return j;
        }
    }
    return -1;
}

BandRange BandsIntersecting(int32_t top, int32_t bottom, int rowCount) {
    if (rowCount <= 0 || bottom <= top) {
        return {};
    }
    // Band j reaches rows 150 j - 1 .. 150 j + 150: from the first band ending at or below
    // `top` to the last band starting above `bottom`.
    const int64_t first = std::max<int64_t>(0, (static_cast<int64_t>(top) - 1) / kBandHeight);
    const int64_t last =
        bottom < 0 ? 0
                   : std::min<int64_t>(rowCount, static_cast<int64_t>(bottom) / kBandHeight + 1);
    if (first >= last) {
        return {};
    }
    return {static_cast<int>(first), static_cast<int>(last)};
}

}  // namespace kx
