// Conversions between marker pixels of the stacked view and times in µs or seconds.
// A quotient whose divisor is zero (no view width, no samples, coinciding markers) is
// taken as 0, so every result is finite and defined.
#pragma once

#include <cstdint>

#include "record/pile_record.h"

namespace kx {

// Which of pile length and wave speed the markers keep fixed (values as the program stores
// them in m_fixMode).
enum class FixMode : int32_t { kSpeedFixed = 1, kLengthFixed = 2 };

// The quotient a / b, or 0 when b is 0.
inline double QuotientOrZero(double a, double b) {
    return b == 0 ? 0.0 : a / b;
}

// The time of the sample under pixel x: trunc(float32(N / W) * x) * interval.
int32_t PixelToTimeUs(float x, int count, int viewWidth, int32_t intervalUs);

// The time readout of the cursor at pixel x: trunc(interval * float32(x / float32(W / N))),
// as box 1022 shows it and as the pile-bottom marker stores it.
int32_t CursorTimeUs(int32_t x, int count, int viewWidth, int32_t intervalUs);

// Travel time in seconds between two pixels, at 1024 samples per view width whatever the
// sample count: n = trunc(float32(1024 / W) * (toX - fromX)), t = float32(n * interval / 1e6).
float TravelTimeFromPixels(int32_t fromX, int32_t toX, int viewWidth, int32_t intervalUs);

// Travel time in seconds between the record's pile-top and pile-bottom times.
float TravelTimeFromRecord(const PileRecord& rec);

}  // namespace kx
