// Single-precision arithmetic as the waveform and marker algorithms define it: expressions
// are evaluated in double and rounded to float where a value is stored, and values become
// integers by truncation toward zero.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kx {

// Rounds to the nearest float32 (the point where the algorithms store a value).
inline float F32(double v) {
    return static_cast<float>(v);
}

// Truncation toward zero into int32, defined for every input: NaN gives 0 and values past
// the int32 range saturate (a plain cast is undefined behaviour there).
inline int32_t TruncToInt32(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

}  // namespace kx
