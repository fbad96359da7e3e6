#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "waveform/float32.h"
#include "waveform/wave_operations.h"
#include "workspace/load_steps.h"

namespace kx {
namespace {

TEST(IntegrateWave, WorkedValues) {
    struct Case {
        std::vector<int32_t> in;
        std::vector<int32_t> out;
    };
    const Case cases[] = {
        // Drift line removed leaves 1,1,1,1; the divisor floor 0.001 is 0.0010000000475 in
        // float32, so 1 / d truncates to 999.
        {{1, 1, 1, 1}, {999, 999, 999, 999}},
        // Peak 1e6 is scaled to exactly 2^22.
        {{1000000, 0, 0, -1000000}, {4194304, 4194304, 4194304, 0}},
        // Running sum 2,5,4,4 less the line j*1 gives 2,4,2,1; peak 4 -> d floored.
        {{2, 3, -1, 0}, {1999, 3999, 1999, 999}},
        {{7}, {6999}},  // j = 0 is on the line through the origin: nothing removed
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<int32_t> s = c.in;
        IntegrateWave(s.data(), static_cast<int>(s.size()));
        EXPECT_EQ(s, c.out);
    }
}

TEST(IntegrateWave, ExtremeCountsStayFinite) {
    std::vector<int32_t> s(1024, INT32_MIN);
    s[1023] = INT32_MAX;
    IntegrateWave(s.data(), 1024);
    for (int32_t v : s) {
        EXPECT_LE(v, 4194304);
        EXPECT_GE(v, -4194304);
    }
    IntegrateWave(nullptr, 5);
    IntegrateWave(s.data(), 0);
}

// The integration as written out: every step in double, rounded to float where it is stored.
std::vector<int32_t> IntegrateLiterally(std::vector<int32_t> s) {
    const int n = static_cast<int>(s.size());
    std::vector<float> acc(s.size());
    acc[0] = static_cast<float>(s[0]);
    for (int i = 1; i < n; ++i)
        acc[i] = static_cast<float>(static_cast<double>(s[i]) + acc[i - 1]);
    const float k = static_cast<float>(static_cast<double>(acc[n - 1]) / n);
    for (int j = 0; j < n; ++j)
        acc[j] = static_cast<float>(static_cast<double>(acc[j]) - static_cast<double>(j) * k);
    float peak = std::fabs(acc[0]);
    for (int j = 1; j < n; ++j)
        peak = std::fmax(peak, std::fabs(acc[j]));
    float d = static_cast<float>(static_cast<double>(peak) * 2.384185791015625e-07);
    if (d < 0.001f)
        d = 0.001f;
    for (int j = 0; j < n; ++j)
        s[j] = TruncToInt32(static_cast<double>(acc[j]) / d);
    return s;
}

// The fast paths (float additions when every sample is exact in float, no buffer allocation)
// give the literal results bit for bit, on both sides of the float-exact limit 2^24.
TEST(IntegrateWave, EqualsTheLiteralArithmetic) {
    std::mt19937 rng(7);
    for (int32_t amplitude : {100, 1 << 23, 1 << 24, (1 << 24) + 1, 1 << 30, INT32_MAX}) {
        for (int n : {1, 2, 17, 1024, 1500}) {
            std::uniform_int_distribution<int64_t> dist(-int64_t{amplitude}, amplitude);
            std::vector<int32_t> s(static_cast<size_t>(n));
            for (int32_t& v : s)
                v = static_cast<int32_t>(dist(rng));
            std::vector<int32_t> got = s;
            IntegrateWave(got.data(), n);
            EXPECT_EQ(got, IntegrateLiterally(s)) << amplitude << " " << n;
        }
    }
}

TEST(LoadSteps, InvertOnceThenIntegratePresentSlotsOnce) {
    PileRecord r;
    r.sampleCount = 4;
    r.invertPending = true;
    r.integrated = false;
    r.waveAbsent = {false, true, true, true, true, true, true, true, false};
    r.waves[0] = {};
    r.waves[0][0] = r.waves[0][1] = r.waves[0][2] = r.waves[0][3] = 1;
    r.waves[1][0] = 5;  // absent: untouched
    r.waves[8][0] = -1000000;
    r.waves[8][3] = 1000000;
    r.waves[9][0] = 77;  // never processed
    ApplyLoadSteps(r);
    EXPECT_FALSE(r.invertPending);
    EXPECT_TRUE(r.integrated);
    EXPECT_EQ(r.waves[0][0], 999);
    EXPECT_EQ(r.waves[1][0], 5);
    EXPECT_EQ(r.waves[8][0], 4194304);
    EXPECT_EQ(r.waves[8][3], 0);
    EXPECT_EQ(r.waves[9][0], 77);
    const PileRecord once = r;
    ApplyLoadSteps(r);
    EXPECT_EQ(r, once);
}

}  // namespace
}  // namespace kx
