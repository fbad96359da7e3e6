#include "waveform/tool_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "record_test_util.h"
#include "waveform/messages.h"

namespace kx {
namespace {

struct ToolFixture : ::testing::Test {
    PileRecord rec;
    WaveSlot backup{};
    ToolTarget t;
    void SetUp() override {
        rec.sampleCount = 1024;
        rec.sampleIntervalUs = 20;
        std::iota(rec.waves[kStackedSlot].begin(), rec.waves[kStackedSlot].end(), 1);
        backup = rec.waves[kStackedSlot];
        t = ToolTarget{};
        t.record = &rec;
        t.viewWidth = 1024;
        t.backupWave = &backup;
        t.dumpCount = 3;
    }
    int32_t S(int i) const { return rec.waves[kStackedSlot][i]; }
};

TEST_F(ToolFixture, LowPassReadsTheBoxAndDumpsBeforeAndAfter) {
    t.cutoffText = "abc";  // no number: cut-off 0 clears the waveform
    EXPECT_TRUE(RunToolCommand(kToolLowPass, t));
    EXPECT_EQ(test::FileText("滤波前.txt"), "1,2,3,");
    EXPECT_EQ(test::FileText("滤波后.txt"), "0,0,0,");
    EXPECT_EQ(S(1023), 0);
}

TEST_F(ToolFixture, ZoomAndRestore) {
    for (int i = 0; i < 3; ++i)
        RunToolCommand(kToolZoomIn, t);
    EXPECT_EQ(t.zoom, 8);
    RunToolCommand(kToolReverse, t);
    RunToolCommand(kToolZero, t);
    EXPECT_TRUE(RunToolCommand(kToolRestore, t));  // undoes every tool since selection
    EXPECT_EQ(t.zoom, 1);
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
    EXPECT_FALSE(RunToolCommand(kToolZoomOut, t));  // at zoom 1: not even a repaint
    EXPECT_EQ(t.zoom, 1);
}

TEST_F(ToolFixture, CutsAtTheSampleUnderTheCursor) {
    // Zoom 2, W = 512, N = 1024, cursor at 100: samples 0..99 cleared.
    t.viewWidth = 512;
    t.zoom = 2;
    t.cursorX = 100;
    RunToolCommand(kToolCutFront, t);
    EXPECT_EQ(S(99), 0);
    EXPECT_EQ(S(100), 101);

    SetUp();
    t.cursorX = 0;  // nothing left of the cursor
    RunToolCommand(kToolCutFront, t);
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
    RunToolCommand(kToolCutBack, t);  // everything right of it
    EXPECT_EQ(S(0), 0);
    EXPECT_EQ(S(1023), 0);

    SetUp();
    t.cursorX = 1024;  // the right edge at zoom 1: all N samples
    RunToolCommand(kToolCutFront, t);
    EXPECT_EQ(S(1023), 0);
}

TEST_F(ToolFixture, SmoothNeedsPointsAboveZero) {
    EXPECT_EQ(SmoothPointsError(""), "平滑点数必需大于0！");
    EXPECT_EQ(SmoothPointsError("0"), "平滑点数必需大于0！");
    EXPECT_EQ(SmoothPointsError("-3"), "平滑点数必需大于0！");
    EXPECT_EQ(SmoothPointsError("3"), std::nullopt);
    RunToolCommand(kToolSmooth, t, 0);
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
    RunToolCommand(kToolSmooth, t, 2);
    EXPECT_EQ(S(0), 1);  // (1 + 2) / 2
    EXPECT_EQ(S(1), 2);  // (2 + 3) / 2
}

TEST_F(ToolFixture, AmplifyLiftsTheWaveFromThePileTopOnAndRestoreUndoesIt) {
    // Pile top at sample 10 (200 µs), gain 1 per ms: sample 60 (1 ms later) grows e-fold.
    rec.pileTopTimeUs = 200;
    t.amplifyGain = 1.0;
    EXPECT_TRUE(RunToolCommand(kToolAmplify, t));
    EXPECT_EQ(S(10), 11);
    EXPECT_EQ(S(9), 10);
    EXPECT_EQ(S(60), static_cast<int32_t>(61 * std::exp(1.0)));
    RunToolCommand(kToolRestore, t);
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
    // Gain 0 leaves the waveform as it is.
    t.amplifyGain = 0;
    RunToolCommand(kToolAmplify, t);
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
}

TEST_F(ToolFixture, NothingWithoutARecordOrForAnUnknownCommand) {
    EXPECT_FALSE(RunToolCommand(10099, t));  // no tool has this id
    t.record = nullptr;
    EXPECT_FALSE(RunToolCommand(kToolReverse, t));
    EXPECT_EQ(rec.waves[kStackedSlot], backup);
}

TEST(RestackCommand, NeedsAFileAndDumpsTheResult) {
    EXPECT_EQ(RestackCommand(nullptr), kSelectFileFirst);
    PileRecord r;
    r.sampleCount = 2;
    r.waveAbsent[0] = false;
    r.waves[0][0] = 4;
    r.waves[0][1] = -6;
    EXPECT_EQ(RestackCommand(&r), "");
    EXPECT_EQ(test::FileText("重新叠加后.txt"), "4,-6,");
}

}  // namespace
}  // namespace kx
