#include <gtest/gtest.h>

#include <vector>

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
