#include "waveform/spectrum_view_geometry.h"

#include <algorithm>
#include <cmath>

#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/marker_time.h"

namespace kx {

SpectrumReadout ReadSpectrumCursor(int32_t cursorX, int viewWidth, int zoom, int count,
                                   int32_t intervalUs, std::string_view speedBoxText) {
    SpectrumReadout r;
    count = std::clamp(count, 0, kMaxSamples);
    const float pps = F32(QuotientOrZero(viewWidth, count));
    r.bin = TruncToInt32(QuotientOrZero(F32(QuotientOrZero(cursorX, pps)), zoom));
    // Entry j belongs to j / (n * interval): the transform length n, not the sample count,
    // sets the bin width.
    const int n = SpectrumLength(count);
    r.frequencyHz = F32(QuotientOrZero(1000000.0, intervalUs) * r.bin / n);
    r.waveSpeed = F32(BoxNumber(speedBoxText));
    r.pileLength = F32(QuotientOrZero(r.waveSpeed, 2.0 * r.frequencyHz));
    r.speedText = "C = " + FormatFixed2(r.waveSpeed);
    r.frequencyText = "H = " + FormatFixed2(r.frequencyHz);
    r.lengthText = "L = " + FormatFixed2(r.pileLength);
    return r;
}

std::vector<PlotPoint> SpectrumPlot(const SpectrumBuffer& spectrum, int count, int viewWidth,
                                    int viewHeight, int zoom) {
    count = std::clamp(count, 0, kMaxSamples);
    const int32_t mid = viewHeight / 2;
    const float pps = F32(QuotientOrZero(viewWidth, count));
    double largest = 0;
    for (int32_t v : spectrum) {
        largest = std::max(largest, std::fabs(static_cast<double>(v)));
    }
    const float vs = F32(QuotientOrZero(F32(mid), largest));
    std::vector<PlotPoint> points{{0, mid}};
    points.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        points.push_back({TruncToInt32(static_cast<double>(i) * pps * zoom),
                          TruncToInt32(mid - static_cast<double>(spectrum[i]) * vs)});
    }
    return points;
}

}  // namespace kx
