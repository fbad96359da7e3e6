// The 低通 tool: a third-order recursive low-pass run forward and backward (zero phase).
#pragma once

#include <cstdint>

namespace kx {

// The filter's coefficients, each stored in single precision. The numerator is
// b0 = b3 = g and b1 = b2 = g3.
struct LowPassCoefficients {
    float a0 = 0, a1 = 0, a2 = 0, a3 = 0;
    float g = 0, g3 = 0;
};

// Designs the filter for a cut-off in Hz and a sampling interval in µs: the analog prototype
// W^3 / (s^3 + 1.95 W s^2 + 2.25 W^2 s + W^3) mapped by the bilinear transform without
// pre-warping. The interval must be positive.
LowPassCoefficients DesignLowPass(int32_t cutoffHz, int32_t intervalUs);

// Filters samples[0..count-1] in place: 64 leading zeros, a forward pass, truncation to
// integers, a backward pass. A cut-off of 0 clears the waveform. A negative cut-off or an
// interval that is not positive describes no filter and leaves the samples unchanged.
void LowPassFilter(int32_t* samples, int32_t cutoffHz, int32_t intervalUs, int32_t count);

}  // namespace kx
