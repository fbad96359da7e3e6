// 指数放大: lifts the late part of a waveform, where the shaft's soil has damped the echoes
// of a long pile, by a gain that grows exponentially with time.
#pragma once

#include <cstdint>

namespace kx {

// Multiplies sample i (at t = i x intervalUs) by exp(gain x max(0, t - startUs) / 1 ms); the
// products are truncated toward zero and clamped to the int32 range. Gain 0 leaves the samples
// as they are. Nothing happens for a non-positive interval or count.
void AmplifyExponential(int32_t* samples, int count, int32_t intervalUs, double gain,
                        double startUs);

}  // namespace kx
