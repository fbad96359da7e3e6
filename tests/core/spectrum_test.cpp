#include "waveform/spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace kx {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(SpectrumLength, PowerOfTwoThatHoldsTheWholeWaveform) {
    struct Case {
        int count, n;
    };
    const Case cases[] = {
        {1024, 1024},
        {1000, 1024},
        {512, 512},
        {100, 256},
        {256, 256},
        {1, 256},
        {0, 256},
        {-5, 256},
        {956, 1024},
        {513, 512 * 2},  // trunc(log2 513 + 0.1) = 9 ->
                         // 512 < 513
        {955, 1024},
        {477, 512},
        {257, 512},  // would be 512 and 256: too short
        {478, 512},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpectrumLength(c.count), c.n) << c.count;
    }
}

SpectrumBuffer Sine(int count, double cycles, double amplitude) {
    SpectrumBuffer x{};
    for (int i = 0; i < count; ++i) {
        x[i] =
            static_cast<int32_t>(std::lround(amplitude * std::sin(2 * kPi * cycles * i / count)));
    }
    return x;
}

TEST(SpectrumTransform, SineOfKCyclesPeaksAtIndexK) {
    for (int k : {1, 7, 50, 100, 200, 511}) {
        SpectrumBuffer x = Sine(1024, k, 1000000);
        EXPECT_EQ(SpectrumTransform(x, 1024), 1024);
        EXPECT_EQ(x[k], 16384) << k;
        EXPECT_EQ(*std::max_element(x.begin(), x.end()), 16384);
        // Far from k the amplitude is (nearly) zero: the bottom of the range.
        const int far = (k + 256) % 512;
        EXPECT_LE(x[far], -16380) << k;
        // Past n / 2 the curve continues flat from entry 511.
        for (int j = 512; j < 1024; ++j) {
            ASSERT_EQ(x[j], x[511]) << j;
        }
    }
}

TEST(SpectrumTransform, HighestPeakIsAlwaysTheTopOfTheRange) {
    // The scale is rounded so that the peak's quotient never falls short of 65535.
    uint32_t seed = 7;
    for (int trial = 0; trial < 200; ++trial) {
        SpectrumBuffer x{};
        const int count = 64 + trial * 4;
        for (int i = 0; i < count; ++i) {
            seed = seed * 1664525u + 1013904223u;
            x[i] = static_cast<int32_t>(seed >> 12) - (1 << 19);
        }
        const int n = SpectrumTransform(x, count);
        ASSERT_EQ(*std::max_element(x.begin(), x.begin() + n / 2), 16384) << count;
    }
}

TEST(SpectrumTransform, AgreesWithADirectTransform) {
    // 200 samples (n = 256, zero-padded) of a deterministic ragged signal, against a direct
    // DFT in double precision with the same scaling: each entry within 1 of it.
    SpectrumBuffer x{};
    uint32_t seed = 99;
    for (int i = 0; i < 200; ++i) {
        seed = seed * 1103515245u + 12345u;
        x[i] = static_cast<int32_t>((seed >> 9) % 200001) - 100000 + (i % 17) * 5000;
    }
    std::vector<double> amp(128);
    for (int k = 0; k < 128; ++k) {
        std::complex<double> sum = 0;
        for (int j = 0; j < 200; ++j) {
            sum += static_cast<double>(x[j]) * std::polar(1.0, -2 * kPi * j * k / 256);
        }
        // Entry k combines bins k and n - k (equal magnitudes for a real signal).
        amp[k] = k == 0 ? std::abs(sum) : std::sqrt(2.0) * std::abs(sum);
    }
    const double peak = *std::max_element(amp.begin(), amp.end());
    EXPECT_EQ(SpectrumTransform(x, 200), 256);
    for (int k = 0; k < 128; ++k) {
        const double expected = std::trunc(std::trunc(amp[k] / (peak / 65535) - 32767) / 2);
        EXPECT_NEAR(x[k], expected, 1) << k;
    }
}

TEST(SpectrumTransform, FillPastTheSpectrumStaysInRangeAndKeepsRealEntries) {
    // 100 samples, n = 256: entries 128..255 repeat entry 127; entries from 256 on keep
    // what the buffer held. (Writing the unhalved value up to n would leave the range and,
    // from N = 100 on, overwrite entries 100..127 of the spectrum itself.)
    SpectrumBuffer x = Sine(100, 10, 50000);
    std::fill(x.begin() + 100, x.end(), 1234);
    SpectrumTransform(x, 100);
    EXPECT_EQ(x[26], 16384);  // 10 cycles in 100 samples: bin 10 * 256 / 100 = 25.6
    for (int j = 128; j < 256; ++j) {
        ASSERT_EQ(x[j], x[127]) << j;
    }
    for (int j = 256; j < 1024; ++j) {
        ASSERT_EQ(x[j], 1234) << j;
    }
    for (int j = 0; j < 256; ++j) {
        ASSERT_GE(x[j], -16383);
        ASSERT_LE(x[j], 16384);
    }

    // 1000 samples, n = 1024: entries 512..1023 all repeat entry 511.
    SpectrumBuffer y = Sine(1000, 30, 50000);
    SpectrumTransform(y, 1000);
    for (int j = 512; j < 1024; ++j) {
        ASSERT_EQ(y[j], y[511]) << j;
    }
}

TEST(SpectrumTransform, SilenceAndConstant) {
    SpectrumBuffer zeros{};
    EXPECT_EQ(SpectrumTransform(zeros, 1024), 1024);
    EXPECT_TRUE(std::all_of(zeros.begin(), zeros.end(), [](int32_t v) { return v == -16383; }));

    SpectrumBuffer dc{};
    std::fill(dc.begin(), dc.begin() + 512, 300);
    SpectrumTransform(dc, 512);
    EXPECT_EQ(dc[0], 16384);
    EXPECT_EQ(dc[2], -16383);  // bins 2, 4, ... of a constant are exactly zero

    SpectrumBuffer none{};
    none[0] = 5;  // count 0: nothing is read, the spectrum of silence over n = 256
    EXPECT_EQ(SpectrumTransform(none, 0), 256);
    EXPECT_EQ(none[0], -16383);
    EXPECT_EQ(SpectrumTransform(none, 5000), 1024);  // count clamped to the buffer
}

// FNV-1a over the whole buffer after a transform: one number per case to hold the output of
// the float32 FFT bit for bit.
uint64_t Digest(const SpectrumBuffer& x) {
    uint64_t h = 1469598103934665603ull;
    for (int32_t v : x) {
        for (int b = 0; b < 4; ++b) {
            h = (h ^ ((static_cast<uint32_t>(v) >> (8 * b)) & 0xffu)) * 1099511628211ull;
        }
    }
    return h;
}

TEST(SpectrumTransform, OutputIsBitIdenticalToTheEstablishedValues) {
    // The digests were taken from the transform that rebuilt its twiddle tables on every
    // call. Lengths alternate so that each table is taken from the cache after its first use.
    struct Case {
        int count;
        uint32_t seed;
        uint64_t digest;
    };
    const Case cases[] = {
        {1024, 1, 0xfabd0d5eb20d827aull}, {1000, 2, 0x8d07027811b8fb0dull},
        {512, 3, 0x017bf5288bc69c64ull},  {300, 4, 0x70380a50ab2626b8ull},
        {1024, 5, 0x8a554f35c5ee8f62ull}, {100, 6, 0x46760dc6a94c3233ull},
        {955, 7, 0xe2ec3f632d865b96ull},  {257, 8, 0x65710df5e2c21e85ull},
        {16, 9, 0xc91a5e7885cf8e6bull},   {1024, 10, 0x9680ce4b6168a0abull},
    };
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            SpectrumBuffer x{};
            uint32_t seed = c.seed;
            for (int i = 0; i < c.count; ++i) {
                seed = seed * 1664525u + 1013904223u;
                x[i] = static_cast<int32_t>(seed >> 8) - (1 << 23) +
                       static_cast<int32_t>(3e6 * std::sin(0.05 * i * c.seed));
            }
            SpectrumTransform(x, c.count);
            EXPECT_EQ(Digest(x), c.digest) << c.count << " seed " << c.seed;
        }
    }
}

TEST(ComputeSpectrum, MeanOfThePresentBlowsNotTheStackedSlot) {
    PileRecord r;
    r.sampleCount = 1024;
    const SpectrumBuffer sine = Sine(1024, 40, 100000);
    for (int j : {0, 2, 5}) {
        r.waveAbsent[j] = false;
        std::copy(sine.begin(), sine.end(), r.waves[j].begin());
    }
    r.waves[1] = r.waves[0];  // absent: ignored
    for (int32_t& v : r.waves[1])
        v = -v * 3;
    r.waveAbsent[kStackedSlot] = false;
    r.waves[kStackedSlot] = {};
    r.waves[kStackedSlot][0] = 90000000;  // a stacked waveform with another spectrum

    SpectrumBuffer spectrum{};
    EXPECT_EQ(ComputeSpectrum(r, spectrum), 1024);
    SpectrumBuffer expected = sine;
    SpectrumTransform(expected, 1024);
    EXPECT_EQ(spectrum, expected);
    EXPECT_EQ(spectrum[40], 16384);

    PileRecord noBlows;
    noBlows.sampleCount = 300;
    noBlows.waves[kStackedSlot][3] = 1000;
    spectrum.fill(77);
    EXPECT_EQ(ComputeSpectrum(noBlows, spectrum), 512);
    for (int j = 0; j < 512; ++j) {
        ASSERT_EQ(spectrum[j], -16383) << j;
    }
}

}  // namespace
}  // namespace kx
