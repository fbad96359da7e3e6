#include "waveform/wave_operations.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

namespace kx {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(CutIndexAtCursor, SampleUnderTheCursorOfTheZoomedPlot) {
    struct Case {
        int cursorX, width, zoom, count;
        std::optional<int> index;
    };
    const Case cases[] = {
        {0, 1024, 1, 1024, 0},
        {1024, 1024, 1, 1024, 1024},  // cursor on the right edge: every sample
        {100, 512, 2, 1024, 100},     // 1024 / (512 * 2) = 1 sample per pixel
        {100, 1000, 1, 1000, 100},
        {333, 1000, 1, 1024, 340},  // float32(1.024) * 333 = 340.99 -> 340
        {-5, 1024, 1, 1024, 0},     // left of the view: clamped
        {5000, 1024, 1, 1024, 1024},
        {100, 0, 1, 1024, std::nullopt},  // a view without width shows no sample
        {100, 1024, 0, 1024, std::nullopt},
        {kMax, 1, 1, 1024, 1024},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutIndexAtCursor(c.cursorX, c.width, c.zoom, c.count), c.index)
            << c.cursorX << " " << c.width << " " << c.zoom;
    }
}

TEST(CutWave, FrontAndBackClearUpToAndFromTheIndex) {
    const std::vector<int32_t> wave = {1, 2, 3, 4, 5, 6};
    struct Case {
        bool front;
        int index;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {true, 0, {1, 2, 3, 4, 5, 6}},   {true, 2, {0, 0, 3, 4, 5, 6}},
        {true, 5, {0, 0, 0, 0, 0, 6}},   {true, 99, {0, 0, 0, 0, 0, 6}},  // clamped to 5
        {true, -3, {1, 2, 3, 4, 5, 6}},  {false, 0, {0, 0, 0, 0, 0, 6}},
        {false, 2, {1, 2, 0, 0, 0, 6}},  {false, 5, {1, 2, 3, 4, 5, 6}},
        {false, -3, {0, 0, 0, 0, 0, 6}}, {false, kMax, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> s = wave;
        // Only the first five samples belong to the waveform; the sixth must never change.
        if (c.front) {
            CutFront(s.data(), 5, c.index);
        } else {
            CutBack(s.data(), 5, c.index);
        }
        EXPECT_EQ(s, c.expected) << (c.front ? "front " : "back ") << c.index;
    }
}

TEST(ReverseWave, NegatesAndTwiceRestores) {
    std::vector<int32_t> s = {0, 1, -7, 4194304, kMax, 9};
    ReverseWave(s.data(), 5);
    EXPECT_EQ(s, (std::vector<int32_t>{0, -1, 7, -4194304, -kMax, 9}));
    ReverseWave(s.data(), 5);
    EXPECT_EQ(s, (std::vector<int32_t>{0, 1, -7, 4194304, kMax, 9}));
    std::vector<int32_t> lowest = {kMin};
    ReverseWave(lowest.data(), 1);
    EXPECT_EQ(lowest[0], kMax);  // -(-2^31) does not exist in int32
}

TEST(ZeroWave, SubtractsTheMeanFromSample64On) {
    // Worked value: 100 samples of 10 -> mean 10; samples 0..63 keep 10, 64..99 become 0.
    std::vector<int32_t> s(100, 10);
    ZeroWave(s.data(), 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(s[i], i < 64 ? 10 : 0) << i;
    }
    // Ramp 0..99: mean 49.5; sample j becomes trunc(j - 49.5), toward zero.
    std::vector<int32_t> ramp(100);
    std::iota(ramp.begin(), ramp.end(), 0);
    ZeroWave(ramp.data(), 100);
    EXPECT_EQ(ramp[63], 63);
    EXPECT_EQ(ramp[64], 14);  // 14.5 -> 14
    EXPECT_EQ(ramp[99], 49);
    // 64 samples or fewer: nothing changes.
    std::vector<int32_t> shortWave(64, 5);
    ZeroWave(shortWave.data(), 64);
    EXPECT_EQ(shortWave, std::vector<int32_t>(64, 5));
    ZeroWave(shortWave.data(), 0);
    ZeroWave(nullptr, 100);
}

TEST(ZeroWave, SumIsSinglePrecision) {
    // 2^24 + 1 is no float32: each addition of the running sum drops the 1, so the sum of
    // 65 such samples (and one 0) is 65 * 2^24 and the mean float32(65 * 2^24 / 66) =
    // 16523016. Sample 64 becomes 16777217 - 16523016 = 254201 (an exact mean, 16523016.74,
    // would give 254200).
    std::vector<int32_t> s(66, (1 << 24) + 1);
    s[65] = 0;
    ZeroWave(s.data(), 66);
    EXPECT_EQ(s[64], 254201);
    EXPECT_EQ(s[65], -16523016);
}

// The moving average written back in place, summed naively per window.
std::vector<int32_t> ReferenceSmooth(std::vector<int32_t> s, int p) {
    const int n = static_cast<int>(s.size());
    const int h = p / 2;
    const int start = p % 2 ? h : h - 1;
    for (int m = 0; start < n - h && m < n - h - start; ++m) {
        int64_t sum = 0;
        for (int i = m; i < m + p; ++i)
            sum += s[i];
        s[start + m] = static_cast<int32_t>(sum / p);
    }
    return s;
}

TEST(SmoothWave, WorkedValues) {
    struct Case {
        std::vector<int32_t> in;
        int points;
        std::vector<int32_t> out;
    };
    const Case cases[] = {
        {{0, 0, 9, 0, 0}, 3, {0, 3, 4, 1, 0}},        // each window sees the smoothed left values
        {{5, -3, 8, 2}, 1, {5, -3, 8, 2}},            // p = 1: unchanged
        {{1, 2, 4, 7, 11}, 2, {1, 3, 5, 9, 11}},      // p = 2: (s[i] + s[i+1]) / 2, last kept
        {{-1, -2, 0}, 2, {-1, -1, 0}},                // truncation toward zero: -3/2 -> -1
        {{1, 2, 3}, 4, {1, 2, 3}},                    // wider than the waveform: unchanged
        {{1, 2, 3}, 3, {1, 2, 3}},                    // (1+2+3)/3 = 2 at the centre
        {{4, 8, 0, 0, 0, 0}, 4, {4, 3, 0, 0, 0, 0}},  // even p reaches one further right
        {{7, 7}, 0, {7, 7}},
        {{7, 7}, -4, {7, 7}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> s = c.in;
        SmoothWave(s.data(), static_cast<int>(s.size()), c.points);
        EXPECT_EQ(s, c.out) << "p = " << c.points;
    }
}

TEST(SmoothWave, MatchesTheNaiveWindowForEveryWidth) {
    std::vector<int32_t> wave(200);
    uint32_t seed = 12345;
    for (int32_t& v : wave) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<int32_t>(seed >> 8) - (1 << 23);
    }
    for (int p = 1; p <= 201; ++p) {
        std::vector<int32_t> s = wave;
        SmoothWave(s.data(), 200, p);
        ASSERT_EQ(s, ReferenceSmooth(wave, p)) << "p = " << p;
    }
}

TEST(SmoothWave, SumsThatOverflow32BitsGiveTheTrueMean) {
    std::vector<int32_t> s = {kMax, kMax, kMax, kMin, kMin, kMin};
    SmoothWave(s.data(), 6, 3);
    // Window means: (3 max)/3 = max; then (max + max + min)/3 and so on, all in range.
    EXPECT_EQ(s, ReferenceSmooth({kMax, kMax, kMax, kMin, kMin, kMin}, 3));
    EXPECT_EQ(s[1], kMax);
    SmoothWave(nullptr, 6, 3);
}

}  // namespace
}  // namespace kx
