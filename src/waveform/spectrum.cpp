#include "waveform/spectrum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "waveform/float32.h"
#include "waveform/stacking.h"

namespace kx {
namespace {

// 2 pi in single precision, as the twiddle angles are formed.
constexpr double kTwoPiF32 = 6.2831854820251465;

// Transform lengths are powers of two up to 2^12 (SpectrumLength clamps the exponent).
constexpr int kMaxLog2 = 12;
constexpr size_t kMaxLength = size_t{1} << kMaxLog2;

// The twiddle factors of one transform length: cos and sin of
// theta = float32(float32(2 pi / n) * k), each rounded to float32.
struct Twiddles {
    std::vector<float> cosT;
    std::vector<float> sinT;
};

Twiddles BuildTwiddles(size_t n) {
    Twiddles t;
    try {
        t.cosT.resize(n);
        t.sinT.resize(n);
    } catch (const std::bad_alloc&) {
        std::exit(1);  // a working buffer of the signal processing could not be had
    }
    const double base = F32(kTwoPiF32 / static_cast<double>(n));
    for (size_t k = 0; k < n; ++k) {
        const double theta = F32(base * static_cast<double>(k));
        t.cosT[k] = F32(std::cos(theta));
        t.sinT[k] = F32(std::sin(theta));
    }
    return t;
}

// The tables of length 2^e, built once on first use (thread-safe) and kept for the process:
// the spectrum is recomputed on every selection and blow deletion, and building the tables
// took half of each transform.
const Twiddles& TwiddlesFor(int log2n) {
    static std::array<std::once_flag, kMaxLog2 + 1> once;
    static std::array<Twiddles, kMaxLog2 + 1> tables;
    std::call_once(once[static_cast<size_t>(log2n)], [log2n] {
        tables[static_cast<size_t>(log2n)] = BuildTwiddles(size_t{1} << log2n);
    });
    return tables[static_cast<size_t>(log2n)];
}

int Log2(size_t n) {
    int e = 0;
    while ((size_t{1} << e) < n) {
        ++e;
    }
    return e;
}

// In-place iterative radix-2 decimation-in-time FFT of length n (a power of two up to 2^12)
// in single precision, X[k] = sum x[j] e^(-2 pi i jk / n).
void Fft(float* re, float* im, size_t n) {
    const Twiddles& tw = TwiddlesFor(Log2(n));
    const float* cosT = tw.cosT.data();
    const float* sinT = tw.sinT.data();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j |= bit;
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const size_t half = len / 2;
        const size_t stride = n / len;
        for (size_t start = 0; start < n; start += len) {
            for (size_t j = 0; j < half; ++j) {
                const float wr = cosT[j * stride];
                const float wi = -sinT[j * stride];
                const size_t a = start + j;
                const size_t b = a + half;
                const float tr = wr * re[b] - wi * im[b];
                const float ti = wr * im[b] + wi * re[b];
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] = re[a] + tr;
                im[a] = im[a] + ti;
            }
        }
    }
}

}  // namespace

int SpectrumLength(int count) {
    int e = 8;
    if (count > 0) {
        const double l = std::log(static_cast<double>(count)) / std::log(2.0) + 0.1;
        e = std::clamp(TruncToInt32(l), 8, 12);
    }
    int n = 1 << e;
    // Records of 257-477 and 513-955 samples would lose their tail (often the toe echo);
    // the next length holds them whole.
    if (n < count) {
        n *= 2;
    }
    return n;
}

int SpectrumTransform(SpectrumBuffer& x, int count) {
    count = std::clamp(count, 0, kMaxSamples);
    const int n = SpectrumLength(count);
    // Working buffers on the stack: nothing is allocated per call.
    std::array<float, kMaxLength> re{};
    std::array<float, kMaxLength> im{};
    for (int i = 0; i < count; ++i) {
        re[i] = F32(x[i]);
    }
    Fft(re.data(), im.data(), static_cast<size_t>(n));

    const int half = n / 2;
    std::array<float, kMaxLength / 2> amp{};
    auto sq = [](float v) { return static_cast<double>(v) * v; };
    amp[0] = F32(std::sqrt(static_cast<double>(F32(sq(re[0]) + sq(im[0])))));
    for (int k = 1; k < half; ++k) {
        const float s = F32(sq(re[k]) + sq(im[k]) + sq(re[n - k]) + sq(im[n - k]));
        amp[k] = F32(std::sqrt(static_cast<double>(s)));
    }
    float peak = *std::max_element(amp.begin(), amp.begin() + half);
    if (peak == 0) {
        peak = 1;
    }
    // q = peak / 65535 in single precision, rounded down rather than to nearest: rounded
    // up, the peak's own quotient falls just short of 65535 and the highest peak would read
    // 16383 instead of 16384 for about half of all waveforms.
    float q = F32(peak / 65535.0);
    if (static_cast<double>(q) * 65535.0 > peak) {  // exact: 24 by 16 bits
        q = std::nextafter(q, 0.0f);
    }
    // The scaled value runs from -32767 (silence) to 32768 (the peak) and is halved into
    // the buffer's range -16383 .. 16384.
    for (int j = 0; j < half && j < kMaxSamples; ++j) {
        const float v = F32(static_cast<double>(F32(static_cast<double>(amp[j]) / q)) - 32767);
        x[j] = TruncToInt32(v) / 2;
    }
    // Past the spectrum proper the curve continues flat. (Writing the unhalved value past
    // the sample count would leave the buffer's range and halve every drawn curve.)
    const int end = std::min(std::max(count, n), kMaxSamples);
    for (int j = half; j < end; ++j) {
        x[j] = x[half - 1];
    }
    return n;
}

int ComputeSpectrum(const PileRecord& rec, SpectrumBuffer& spectrum) {
    const int count = rec.SampleCount();
    if (MeanOfPresentBlows(rec, spectrum.data()) == 0) {
        std::fill(spectrum.begin(), spectrum.begin() + count, 0);
    }
    return SpectrumTransform(spectrum, count);
}

}  // namespace kx
