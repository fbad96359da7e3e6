// The analysis aids as the window shows them: the depth scale's arithmetic, where the found
// toe puts the pile-bottom marker, the impedance plot, and the cache that keeps one analysis
// per change of the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/depth_scale_geometry.h"
#include "analysis/impedance_view_geometry.h"
#include "analysis/pile_analysis_cache.h"
#include "analysis/pile_toe_marker.h"
#include "synth_test_util.h"

namespace kx {
namespace {

// 1,000 samples at 20 µs across 1,000 pixels, 4,000 m/s: a metre of depth is 500 µs of
// two-way travel, 25 pixels.
PileRecord ScaleRecord() {
    PileRecord rec;
    rec.sampleCount = 1000;
    rec.sampleIntervalUs = 20;
    rec.waveSpeed = 4000.0f;
    rec.pileLength = 12.0f;
    rec.pileTopTimeUs = 2000;
    return rec;
}

TEST(DepthScale, TicksFromThePileTopAtTheWaveSpeed) {
    const PileRecord rec = ScaleRecord();
    EXPECT_DOUBLE_EQ(DepthPixelsPerMetre(1000, rec), 25.0);
    const auto scale = ComputeDepthScale(1000, 500, 100, rec);
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->baselineY, 500 - kDepthScaleHeight);
    EXPECT_EQ(scale->fromX, 100);
    EXPECT_EQ(scale->toX, 999);
    EXPECT_EQ(scale->stepM, 2.0);  // the first step at least 50 pixels long
    ASSERT_GE(scale->ticks.size(), 3u);
    EXPECT_EQ(scale->ticks[0], (DepthTick{100, 0.0, true}));
    EXPECT_EQ(scale->ticks[1], (DepthTick{125, 1.0, false}));
    EXPECT_EQ(scale->ticks[2], (DepthTick{150, 2.0, true}));
    EXPECT_LE(scale->ticks.back().x, 999);
    EXPECT_EQ(scale->ticks.back().depthM, 35.0);  // x = 975; 36 m would be at 1000
    EXPECT_EQ(DepthLabel(4.0, 2.0), "4");
    EXPECT_EQ(DepthLabel(2.5, 0.5), "2.5");
}

TEST(DepthScale, NoneWithoutSpeedRoomOrPileTopOnTheView) {
    PileRecord rec = ScaleRecord();
    EXPECT_FALSE(ComputeDepthScale(1000, 40, 100, rec));  // too low for the strip
    EXPECT_FALSE(ComputeDepthScale(1000, 500, 1000, rec));
    EXPECT_FALSE(ComputeDepthScale(1000, 500, -1, rec));
    for (float speed : {0.0f, -3800.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        rec.waveSpeed = speed;
        EXPECT_FALSE(ComputeDepthScale(1000, 500, 100, rec)) << speed;
    }
}

TEST(DepthScale, DefectsSitAtTheirEchoAfterThePileTop) {
    const PileRecord rec = ScaleRecord();
    PileDefect neck;
    neck.timeUs = 3000;  // 2,000 + 3,000 µs of 20,000: pixel 250 of 1,000
    PileDefect bulge;
    bulge.timeUs = 30000;  // beyond the record: not on the view
    bulge.kind = DefectKind::kBulge;
    EXPECT_EQ(DefectMarks({neck, bulge}, 1000, rec),
              (std::vector<DefectMark>{{250, DefectKind::kNecking}}));
}

TEST(PileBottomForToe, ThePixelWhoseTimeIsThePileTopPlusTheToe) {
    PileRecord rec;
    rec.sampleCount = 1024;
    rec.sampleIntervalUs = 20;
    rec.pileTopTimeUs = 2000;
    MarkerState s;
    s.record = &rec;
    s.viewWidth = 1024;
    s.topX = 100;
    EXPECT_EQ(PileBottomXForToe(s, 6000.0), 400);  // 8,000 µs at 20 µs per pixel
    EXPECT_EQ(PileBottomXForToe(s, 6009.0), 400);
    EXPECT_EQ(PileBottomXForToe(s, 6011.0), 401);
    // Half a pixel per sample: 8,000 µs is sample 400, pixel 200.
    s.viewWidth = 512;
    s.topX = 50;
    EXPECT_EQ(PileBottomXForToe(s, 6000.0), 200);
    // Beyond the view's last pixel, or without a record: nowhere.
    EXPECT_FALSE(PileBottomXForToe(s, 30000.0));
    s.topX = 511;
    EXPECT_FALSE(PileBottomXForToe(s, 6000.0));
    s.record = nullptr;
    EXPECT_FALSE(PileBottomXForToe(s, 6000.0));
    PileToe toe;
    toe.timeUs = 6000.4;
    toe.confidence = 0.874;
    EXPECT_EQ(ToeFoundText(toe), "自动识别桩底：桩顶至桩底 6000 us，可信度 87%");
}

TEST(ImpedancePlot, StepsOfTheProfileAgainstDepthWithThePileLength) {
    // 100 elements of 0.1 m, a necking to 0.5 from 3 to 5 m, in an 800 x 500 view.
    PileImpedance z;
    z.dzM = 0.1;
    z.values.assign(100, 1.0);
    std::fill(z.values.begin() + 30, z.values.begin() + 50, 0.5);
    const auto plot = ComputeImpedancePlot(z, 10.0, 800, 500);
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->left, 60);
    EXPECT_EQ(plot->right, 770);
    EXPECT_EQ(plot->top, 40);
    EXPECT_EQ(plot->bottom, 450);
    // 10 m and 5 % room, in whole metres (steps of 1 m are 65 pixels apart).
    EXPECT_EQ(plot->depthRangeM, 11.0);
    EXPECT_EQ(plot->depthTicks.size(), 12u);
    EXPECT_EQ(plot->depthTicks[1], (AxisTick{125, "1"}));
    EXPECT_EQ(plot->impedanceRange, 2.0);
    EXPECT_EQ(plot->unitY, 245);
    EXPECT_EQ(plot->impedanceTicks.front(), (AxisTick{450, "0.00"}));
    EXPECT_EQ(plot->pileLengthX, 705);
    ASSERT_EQ(plot->curve.size(), 200u);
    EXPECT_EQ(plot->curve[0], (PlotPoint{60, 245}));
    EXPECT_EQ(plot->curve[60], (PlotPoint{254, 348}));  // element 30 starts the necking
    EXPECT_EQ(plot->curve[199], (PlotPoint{705, 245}));

    EXPECT_FALSE(ComputeImpedancePlot(PileImpedance{}, 10.0, 800, 500));
    z.dzM = 0;  // no length nor speed: no depths
    EXPECT_FALSE(ComputeImpedancePlot(z, 10.0, 800, 500));
    z.dzM = 0.1;
    EXPECT_FALSE(ComputeImpedancePlot(z, 10.0, 100, 100));
    EXPECT_FALSE(ComputeImpedancePlot(z, 0.0, 800, 500)->pileLengthX);
}

TEST(PileAnalysisCache, ComputesAgainOnlyWhenWhatItReadsChanges) {
    synth::SynthOptions o;
    o.pile.lengthM = 10;
    o.pile.speedMps = 3900;
    PileRecord rec = test::LoadedSynthRecord(o);
    PileAnalysisCache cache;
    const PileAnalysis first = cache.For(rec);
    cache.For(rec);
    rec.defectTimeUs = 1234.0f;  // not read by the analysis
    rec.waves[0][5] += 1;
    EXPECT_EQ(cache.Computations(), 1);
    rec.waveSpeed = 3000.0f;
    cache.For(rec);
    rec.waves[kStackedSlot][700] += 1000;
    cache.For(rec);
    EXPECT_EQ(cache.Computations(), 3);
    ASSERT_TRUE(first.toe.timeUs);
    EXPECT_NEAR(*first.toe.timeUs, 2e6 * 10 / 3900, 2 * rec.sampleIntervalUs);
}

}  // namespace
}  // namespace kx
