#include "waveform/marker_time.h"

#include "waveform/float32.h"

namespace kx {

int32_t PixelToTimeUs(float x, int count, int viewWidth, int32_t intervalUs) {
    const float perPixel = F32(QuotientOrZero(count, viewWidth));
    const int32_t index = TruncToInt32(static_cast<double>(perPixel) * x);
    return TruncToInt32(static_cast<double>(index) * intervalUs);
}

int32_t CursorTimeUs(int32_t x, int count, int viewWidth, int32_t intervalUs) {
    const float pps = F32(QuotientOrZero(F32(viewWidth), F32(count)));
    const float t = F32(QuotientOrZero(x, pps));
    return TruncToInt32(static_cast<double>(intervalUs) * t);
}

float TravelTimeFromPixels(int32_t fromX, int32_t toX, int viewWidth, int32_t intervalUs) {
    const float perPixel = F32(QuotientOrZero(1024.0, viewWidth));
    const int32_t n =
        TruncToInt32(static_cast<double>(perPixel) * (static_cast<double>(toX) - fromX));
    const int32_t product = TruncToInt32(static_cast<double>(n) * intervalUs);
    return F32(product / 1000000.0);
}

float TravelTimeFromRecord(const PileRecord& rec) {
    return F32((static_cast<double>(rec.pileBottomTimeUs) - rec.pileTopTimeUs) / 1000000.0);
}

}  // namespace kx
