#include "waveform/low_pass_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <vector>

namespace kx {
namespace {

constexpr double kPi = 3.14159265358979323846;

// |H(e^{jwT})| of one pass, evaluated from the designed coefficients.
double DigitalGain(const LowPassCoefficients& c, double hz, double intervalS) {
    const std::complex<double> z1 = std::polar(1.0, -2 * kPi * hz * intervalS);  // z^-1
    const std::complex<double> num = static_cast<double>(c.g) * (1.0 + z1 * z1 * z1) +
                                     static_cast<double>(c.g3) * (z1 + z1 * z1);
    const std::complex<double> den = static_cast<double>(c.a0) + static_cast<double>(c.a1) * z1 +
                                     static_cast<double>(c.a2) * z1 * z1 +
                                     static_cast<double>(c.a3) * z1 * z1 * z1;
    return std::abs(num / den);
}

// |H(jw)| of the analog prototype W^3 / (s^3 + 1.95 W s^2 + 2.25 W^2 s + W^3).
double AnalogGain(double fc, double omega) {
    const double w = 2 * kPi * fc;
    const std::complex<double> s(0, omega);
    return std::abs(w * w * w / (s * s * s + 1.95 * w * s * s + 2.25 * w * w * s + w * w * w));
}

TEST(LowPassFilter, OnePassGainIsTheBilinearImageOfThePrototype) {
    const double t = 20e-6;
    const LowPassCoefficients c = DesignLowPass(1000, 20);
    // Worked values: 0.64 at the cut-off, 0.13 an octave above, 1 at zero frequency.
    EXPECT_NEAR(DigitalGain(c, 1000, t), 0.64, 0.005);
    EXPECT_NEAR(DigitalGain(c, 2000, t), 0.13, 0.005);
    EXPECT_NEAR(DigitalGain(c, 0, t), 1.0, 1e-4);
    // Everywhere: the prototype at the bilinear frequency K tan(wT/2), no pre-warping.
    for (double hz : {100.0, 500.0, 1500.0, 3000.0, 8000.0, 20000.0}) {
        const double analog = AnalogGain(1000, 2 / t * std::tan(kPi * hz * t));
        EXPECT_NEAR(DigitalGain(c, hz, t), analog, 1e-3 * std::max(analog, 0.01)) << hz;
    }
}

// Amplitude in the middle third of a filtered 1024-sample sine, relative to the input.
double FilteredSineRatio(double hz) {
    const double amplitude = 1000000;
    std::vector<int32_t> s(1024);
    for (int i = 0; i < 1024; ++i) {
        s[i] = static_cast<int32_t>(amplitude * std::sin(2 * kPi * hz * i * 20e-6));
    }
    LowPassFilter(s.data(), 1000, 20, 1024);
    int32_t peak = 0;
    for (int i = 341; i < 683; ++i) {
        peak = std::max(peak, std::abs(s[i]));
    }
    return peak / amplitude;
}

TEST(LowPassFilter, ForwardAndBackwardPassesSquareTheGain) {
    const LowPassCoefficients c = DesignLowPass(1000, 20);
    for (double hz : {1000.0, 2000.0}) {
        const double g = DigitalGain(c, hz, 20e-6);
        EXPECT_NEAR(FilteredSineRatio(hz), g * g, 0.01 * g * g + 0.001) << hz;
    }
}

TEST(LowPassFilter, ImpulseBecomesASymmetricPulseOnTheSameIndex) {
    std::vector<int32_t> s(1024, 0);
    s[500] = 10000000;
    LowPassFilter(s.data(), 1000, 20, 1024);
    int peakAt = 0;
    for (int i = 0; i < 1024; ++i) {
        peakAt = s[i] > s[peakAt] ? i : peakAt;
    }
    EXPECT_EQ(peakAt, 500);
    // Zero phase: mirror images agree to the rounding of the integer passes.
    for (int k = 1; k < 100; ++k) {
        EXPECT_NEAR(s[500 + k], s[500 - k], 10) << k;
    }
    EXPECT_GT(s[500], s[510]);
    EXPECT_GT(s[510], 0);
}

TEST(LowPassFilter, ConstantKeepsItsMiddleAndHalvesAtTheZeroPaddedEdges) {
    std::vector<int32_t> s(1024, 100000);
    LowPassFilter(s.data(), 1000, 20, 1024);
    EXPECT_NEAR(s[512], 100000, 30);  // within 0.03 %
    EXPECT_NEAR(s[0], 50000, 5000);
    EXPECT_NEAR(s[1023], 50000, 5000);
}

TEST(LowPassFilter, DegenerateParameters) {
    const std::vector<int32_t> wave = {5, -7, 1000, 3, 0, 123456};
    struct Case {
        const char* what;
        int32_t cutoff, interval, count;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"cut-off 0 clears", 0, 20, 6, {0, 0, 0, 0, 0, 0}},
        {"count 0 unchanged", 1000, 20, 0, wave},
        {"negative cut-off unchanged", -1000, 20, 6, wave},
        {"interval 0 unchanged", 1000, 0, 6, wave},
        {"negative interval unchanged", 1000, -20, 6, wave},
        {"count beyond: only first 2 cleared", 0, 20, 2, {0, 0, 1000, 3, 0, 123456}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> s = wave;
        LowPassFilter(s.data(), c.cutoff, c.interval, c.count);
        EXPECT_EQ(s, c.expected) << c.what;
    }
    LowPassFilter(nullptr, 1000, 20, 10);
}

TEST(LowPassFilter, ExtremeInputsStayDefined) {
    // Coefficients near the float32 limit overflow the passes to infinity; every conversion
    // back to integers must still be defined (saturating), and nothing outside the count moves.
    for (int32_t fc : {std::numeric_limits<int32_t>::max(), 1, 400000}) {
        for (int32_t interval : {1, 20, std::numeric_limits<int32_t>::max()}) {
            std::vector<int32_t> s(8, std::numeric_limits<int32_t>::max());
            s[1] = std::numeric_limits<int32_t>::min();
            s[7] = 42;
            LowPassFilter(s.data(), fc, interval, 7);
            EXPECT_EQ(s[7], 42);
        }
    }
    std::vector<int32_t> one = {1000000};
    LowPassFilter(one.data(), 1000, 20, 1);
    EXPECT_GT(one[0], 0);
    EXPECT_LT(one[0], 1000000);
}

}  // namespace
}  // namespace kx
