#include "waveform/low_pass_filter.h"

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#include "waveform/float32.h"

namespace kx {
namespace {

// The single-precision value of pi that the coefficients are designed with.
constexpr double kPiF32 = 3.1415927410125732;

template <typename T>
std::vector<T> WorkBuffer(size_t n) {
    try {
        return std::vector<T>(n);
    } catch (const std::bad_alloc&) {
        std::exit(1);  // a working buffer of the signal processing could not be had
    }
}

// One recursive step at index n; d is -1 on the forward pass and +1 on the backward pass.
inline float Step(const LowPassCoefficients& c, const int32_t* x, const float* y, ptrdiff_t n,
                  ptrdiff_t d) {
    const double x0 = F32(x[n]);
    const double x1 = F32(x[n + d]);
    const double x2 = F32(x[n + 2 * d]);
    const double x3 = F32(x[n + 3 * d]);
    const float num = F32(c.g * x0 + c.g3 * x1 + c.g3 * x2 + c.g * x3);
    const float den =
        F32(static_cast<double>(c.a1) * y[n + d] + static_cast<double>(c.a2) * y[n + 2 * d] +
            static_cast<double>(c.a3) * y[n + 3 * d]);
    return F32((static_cast<double>(num) - den) / c.a0);
}

}  // namespace

LowPassCoefficients DesignLowPass(int32_t cutoffHz, int32_t intervalUs) {
    const double w = F32(static_cast<double>(cutoffHz) * 2 * kPiF32);
    const double t = F32(intervalUs / 1000000.0);
    const double k = F32(2 / t);
    const double g = F32(w * w * w);
    const double p = F32(2.25 * w * w);
    const double q = F32(1.95 * w);
    const double k2 = k * k;
    const double k3 = k2 * k;
    LowPassCoefficients c;
    c.a0 = F32(g + k * p + q * k2 + k3);
    c.a1 = F32(k * p + 3 * g - q * k2 - 3 * k3);
    c.a2 = F32(3 * k3 + 3 * g - k * p - q * k2);
    c.a3 = F32(q * k2 + g - k * p - k3);
    c.g = F32(g);
    c.g3 = F32(3 * g);
    return c;
}

void LowPassFilter(int32_t* samples, int32_t cutoffHz, int32_t intervalUs, int32_t count) {
    if (samples == nullptr || count <= 0 || cutoffHz < 0 || intervalUs <= 0) {
        return;
    }
    const LowPassCoefficients c = DesignLowPass(cutoffHz, intervalUs);
    const size_t n = static_cast<size_t>(count);
    std::vector<int32_t> x = WorkBuffer<int32_t>(n + 100);
    std::vector<float> y = WorkBuffer<float>(n + 100);
    for (size_t i = 0; i < n; ++i) {
        x[64 + i] = samples[i];
    }
    // Forward pass over the zero-padded waveform; y[0..2] stay 0.
    const ptrdiff_t last = static_cast<ptrdiff_t>(n) + 95;
    for (ptrdiff_t i = 3; i <= last; ++i) {
        y[i] = Step(c, x.data(), y.data(), i, -1);
    }
    // The forward result is truncated to integers before it is filtered again.
    for (ptrdiff_t i = 0; i <= last; ++i) {
        x[i] = TruncToInt32(y[i]);
        y[i] = 0;
    }
    // Backward pass; y[n+93..n+95] stay 0.
    for (ptrdiff_t i = last - 3; i >= 0; --i) {
        y[i] = Step(c, x.data(), y.data(), i, +1);
    }
    for (size_t i = 0; i < n; ++i) {
        samples[i] = TruncToInt32(y[64 + i]);
    }
}

}  // namespace kx
