#include "waveform/wave_operations.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "waveform/float32.h"

namespace kx {

void IntegrateWave(int32_t* samples, int count) {
    if (samples == nullptr || count <= 0) {
        return;
    }
    // The project loader integrates nine waveforms of every file it reads, so this runs
    // thousands of times in a row: no allocation for a waveform of ordinary length.
    constexpr int kOrdinaryLength = 1024;
    float local[kOrdinaryLength];
    std::vector<float> heap;
    float* acc = local;
    if (count > kOrdinaryLength) {
        try {
            heap.resize(static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            std::exit(1);  // a working buffer of the signal processing could not be had
        }
        acc = heap.data();
    }
    // The running sum holds integers below 2^41, so int + sum is exact in double and rounding
    // it to float is one correctly rounded addition. When every sample is exact in float too,
    // a float addition gives the same result at a third of the latency of the chain.
    int32_t outside = 0;
    for (int i = 0; i < count; ++i) {
        outside |= static_cast<int32_t>(samples[i] > (1 << 24) || samples[i] < -(1 << 24));
    }
    acc[0] = F32(samples[0]);
    if (outside == 0) {
        for (int i = 1; i < count; ++i) {
            acc[i] = static_cast<float>(samples[i]) + acc[i - 1];
        }
    } else {
        for (int i = 1; i < count; ++i) {
            acc[i] = F32(static_cast<double>(samples[i]) + acc[i - 1]);
        }
    }
    const float k = F32(static_cast<double>(acc[count - 1]) / count);
    // The values are finite (sums of integers), so a plain comparison is fmax; four running
    // maxima keep the comparisons from waiting on each other, and the maximum is the same.
    float peaks[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int j = 0; j < count; ++j) {
        acc[j] = F32(static_cast<double>(acc[j]) - static_cast<double>(j) * k);
        const float a = std::fabs(acc[j]);
        float& p = peaks[j & 3];
        p = a > p ? a : p;
    }
    const float peak = std::max(std::max(peaks[0], peaks[1]), std::max(peaks[2], peaks[3]));
    float d = F32(static_cast<double>(peak) * 2.384185791015625e-07);
    if (d < 0.001f) {
        d = 0.001f;
    }
    // TruncToInt32 for values that cannot be NaN: clamped, then truncated.
    for (int j = 0; j < count; ++j) {
        const double q = static_cast<double>(acc[j]) / d;
        samples[j] = static_cast<int32_t>(std::min(std::max(q, -2147483648.0), 2147483647.0));
    }
}

std::optional<int> CutIndexAtCursor(int cursorX, int viewWidth, int zoom, int count) {
    // The sample under the cursor line of the zoomed plot: N / (W * zoom) samples per
    // pixel, in single precision.
    const double span = static_cast<double>(viewWidth) * zoom;
    if (!(span > 0) || count < 0) {
        return std::nullopt;
    }
    const float perPixel = F32(count / span);
    const int32_t n = TruncToInt32(static_cast<double>(perPixel) * cursorX);
    return std::clamp(n, 0, count);
}

void CutFront(int32_t* samples, int count, int index) {
    if (samples == nullptr || count <= 0) {
        return;
    }
    std::fill(samples, samples + std::clamp(index, 0, count), 0);
}

void CutBack(int32_t* samples, int count, int index) {
    if (samples == nullptr || count <= 0) {
        return;
    }
    std::fill(samples + std::clamp(index, 0, count), samples + count, 0);
}

void ReverseWave(int32_t* samples, int count) {
    for (int i = 0; samples != nullptr && i < count; ++i) {
        samples[i] = TruncToInt32(-static_cast<double>(samples[i]));
    }
}

void ZeroWave(int32_t* samples, int count) {
    if (samples == nullptr || count <= 64) {
        return;  // the first 64 samples are never changed; nothing is left
    }
    float sum = 0;
    for (int i = 0; i < count; ++i) {
        sum = F32(static_cast<double>(sum) + samples[i]);
    }
    const float mean = F32(static_cast<double>(sum) / count);
    for (int j = 64; j < count; ++j) {
        samples[j] = TruncToInt32(F32(samples[j] - static_cast<double>(mean)));
    }
}

void SmoothWave(int32_t* samples, int count, int points) {
    if (samples == nullptr || points < 1 || count < 1) {
        return;
    }
    const int h = points / 2;
    const int start = (points % 2 != 0) ? h : h - 1;
    if (start >= count - h) {
        return;
    }
    // Running 64-bit window sum: the mean of int32 values always fits in int32, so no sum
    // can overflow; results equal 32-bit sums wherever those do not overflow.
    int64_t sum = 0;
    for (int i = 0; i < points; ++i) {
        sum += samples[i];
    }
    const int steps = count - h - start;
    for (int m = 0; m < steps; ++m) {
        const int out = start + m;
        const int32_t before = samples[out];
        samples[out] = static_cast<int32_t>(sum / points);
        if (m + 1 == steps) {
            break;
        }
        // Next window m+1 .. m+points: drop sample m, take sample m+points, and account for
        // the output just written if it lies inside the next window.
        sum += static_cast<int64_t>(samples[m + points]) - (out == m ? before : samples[m]);
        if (out > m) {
            sum += static_cast<int64_t>(samples[out]) - before;
        }
    }
}

}  // namespace kx
