#include "waveform/stacked_view_geometry.h"

#include <cmath>

#include "waveform/box_text.h"
#include "waveform/float32.h"

namespace kx {

float VerticalScale(const int32_t* samples, int count) {
    double peak = 0;
    for (int i = 0; samples != nullptr && i < count; ++i) {
        peak = std::fmax(peak, std::fabs(static_cast<double>(samples[i])));
    }
    if (peak == 0) {
        peak = 1;
    }
    return F32(225.0 / peak);
}

float PixelsPerSample(int viewWidth, int count) {
    return F32(QuotientOrZero(F32(viewWidth), F32(count)));
}

int32_t SampleX(int index, float pixelsPerSample, int zoom) {
    return TruncToInt32(static_cast<double>(index) * pixelsPerSample * zoom);
}

int32_t SampleY(int32_t sample, float vScale, int zoom) {
    const int32_t y = TruncToInt32(kZeroLineY - static_cast<double>(sample) * vScale * zoom);
    return (zoom > 1 && y > kAxisY) ? kAxisY : y;
}

std::vector<PlotPoint> StackedPlot(const int32_t* samples, int count, int viewWidth, int zoom) {
    std::vector<PlotPoint> points{{0, kZeroLineY}};
    if (samples == nullptr || count <= 0) {
        return points;
    }
    const float step = PixelsPerSample(viewWidth, count);
    const float vScale = VerticalScale(samples, count);
    points.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        points.push_back({SampleX(i, step, zoom), SampleY(samples[i], vScale, zoom)});
    }
    return points;
}

CursorReadout ReadCursor(int32_t x, int32_t scrollX, int viewWidth, const PileRecord& rec,
                         int32_t topX, int32_t bottomX) {
    CursorReadout r;
    r.cursorX = TruncToInt32(static_cast<double>(x) + scrollX);
    const int count = rec.SampleCount();
    const float pps = PixelsPerSample(viewWidth, count);
    r.timeText = std::to_string(CursorTimeUs(x, count, viewWidth, rec.sampleIntervalUs));
    if (pps != 0) {
        const int32_t idx = TruncToInt32(x / static_cast<double>(pps));
        // Beyond the last sample (the mouse is captured outside the view) nothing is read.
        if (idx >= 0 && idx < count) {
            r.voltageText = FormatFixed2(F32(rec.waves[kStackedSlot][idx] * 3000.0 / 8388608.0));
        }
    }
    const float metresPerPixel = F32(
        QuotientOrZero(rec.pileLength, static_cast<double>(bottomX) - static_cast<double>(topX)));
    const double offset = static_cast<double>(scrollX) + x - topX;
    r.positionText = FormatFixed2(F32(offset * metresPerPixel));
    return r;
}

float LiveSpeed(int32_t x, int32_t topX, int viewWidth, const PileRecord& rec) {
    const float t = TravelTimeFromPixels(topX, x, viewWidth, rec.sampleIntervalUs);
    return F32(QuotientOrZero(2.0 * rec.pileLength, t));
}

float LiveLength(int32_t x, int32_t topX, int viewWidth, const PileRecord& rec) {
    const float t = TravelTimeFromPixels(topX, x, viewWidth, rec.sampleIntervalUs);
    return F32(static_cast<double>(t) * (static_cast<double>(rec.waveSpeed) * 0.5));
}

std::string LiveText(FixMode mode, float liveSpeed, float liveLength) {
    if (mode == FixMode::kLengthFixed) {
        return "波速为: " + FormatFixed2(liveSpeed) + " m/s";
    }
    return "桩长为: " + FormatFixed2(liveLength) + " 米";
}

std::string PileBarText(float pileLength) {
    return "桩长为" + FormatFixed2(pileLength);
}

void HandDrawSamples(int32_t* samples, int count, int32_t x, int32_t y, int viewWidth,
                     float vScale) {
    if (samples == nullptr || viewWidth <= 0) {
        return;
    }
    const float fraction = F32(static_cast<double>(x) / viewWidth);
    const int32_t idx = TruncToInt32(static_cast<double>(fraction) * count);
    const int32_t v = TruncToInt32(QuotientOrZero(kZeroLineY - static_cast<double>(y), vScale));
    for (int64_t i = idx; i < static_cast<int64_t>(idx) + 3; ++i) {
        if (i >= 0 && i < count) {
            samples[i] = v;
        }
    }
}

int32_t ZoomIn(int32_t zoom) {
    return zoom >= (1 << 30) ? zoom : zoom * 2;
}

int32_t ZoomOut(int32_t zoom) {
    return zoom >= 2 ? zoom / 2 : zoom;
}

}  // namespace kx
