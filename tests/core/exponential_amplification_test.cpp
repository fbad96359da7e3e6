#include "waveform/exponential_amplification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kx {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(AmplifyExponential, GainZeroLeavesEverySampleAsItIs) {
    std::vector<int32_t> s = {kMax, kMin, 0, -1, 1, 123456789, -987654321};
    const std::vector<int32_t> before = s;
    AmplifyExponential(s.data(), static_cast<int>(s.size()), 50, 0.0, 0.0);
    EXPECT_EQ(s, before);
}

TEST(AmplifyExponential, GrowsByTheGainPerMillisecondFromTheStartTime) {
    // 20 µs per sample, gain 2 per ms from 100 µs: sample 10 (200 µs) x exp(0.2), sample 55
    // (1.1 ms) x exp(2); samples up to the start keep their value.
    std::vector<int32_t> s(64, 1000);
    s[10] = -1000;
    AmplifyExponential(s.data(), 64, 20, 2.0, 100.0);
    EXPECT_EQ(s[0], 1000);
    EXPECT_EQ(s[5], 1000);
    EXPECT_EQ(s[6], static_cast<int32_t>(1000 * std::exp(0.04)));  // 1040.8 -> 1040
    EXPECT_EQ(s[10], -1221);                                       // -1221.4, toward zero
    EXPECT_EQ(s[55], 7389);                                        // 7389.06
}

TEST(AmplifyExponential, ClampsToTheSampleRangeAndKeepsZeros) {
    std::vector<int32_t> s = {0, 3, -3, 2000000000, -2000000000, 0};
    AmplifyExponential(s.data(), 6, 200, 10.0, 0.0);  // x e^2, e^4, ... e^10
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 22);    // 3 e^2 = 22.2
    EXPECT_EQ(s[2], -163);  // -3 e^4 = -163.8
    EXPECT_EQ(s[3], kMax);
    EXPECT_EQ(s[4], kMin);
    EXPECT_EQ(s[5], 0);
    // Factors overflowing to infinity still clamp, and zero stays zero.
    std::vector<int32_t> far = {0, 1, -1};
    AmplifyExponential(far.data(), 3, 200000, 10.0, 0.0);
    EXPECT_EQ(far, (std::vector<int32_t>{0, kMax, kMin}));
}

TEST(AmplifyExponential, DoesNothingWithoutAnIntervalOrAFiniteGain) {
    std::vector<int32_t> s = {5, 6, 7};
    AmplifyExponential(s.data(), 3, 0, 2.0, 0.0);
    AmplifyExponential(s.data(), 3, 20, std::nan(""), 0.0);
    AmplifyExponential(s.data(), 3, 20, 2.0, std::numeric_limits<double>::infinity());
    AmplifyExponential(nullptr, 3, 20, 2.0, 0.0);
    EXPECT_EQ(s, (std::vector<int32_t>{5, 6, 7}));
}

}  // namespace
}  // namespace kx
