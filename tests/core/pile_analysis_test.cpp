// Worked values of the analysis aids: the toe, defects and impedance profile found on synthetic
// piles whose truth is known. How well
// they do over many piles is measured by the evaluation program (bench/evaluation), not here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "analysis/pile_analysis.h"
#include "synth_test_util.h"

namespace kx {
namespace {

using synth::Defect;
using synth::SynthOptions;
using synth::ToeCondition;

// A pile as the field starts from it: the generator's length kept, the speed a nominal
// 3,800 m/s, the markers cleared.
PileRecord FieldRecord(SynthOptions o) {
    PileRecord rec = test::LoadedSynthRecord(o);
    rec.waveSpeed = 3800.0f;
    rec.pileTopTimeUs = 0;
    rec.pileBottomTimeUs = 0;
    rec.defectTimeUs = 0.0f;
    return rec;
}

SynthOptions Pile(double length, double speed, ToeCondition toe, double noise) {
    SynthOptions o;
    o.pile.lengthM = length;
    o.pile.speedMps = speed;
    o.pile.toe = toe;
    o.noise = noise;
    return o;
}

TEST(FindPileToe, FindsTheToeOfACleanPileToTheSample) {
    struct Case {
        double length, speed;
        ToeCondition toe;
    } cases[] = {{12, 4000, ToeCondition::kFree},
                 {9, 3200, ToeCondition::kFixed},
                 {18, 4400, ToeCondition::kFree}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " m at " << c.speed << " m/s");
        const PileRecord rec = FieldRecord(Pile(c.length, c.speed, c.toe, 0.0));
        const PileToe toe = FindPileToe(rec);
        ASSERT_TRUE(toe.timeUs);
        EXPECT_NEAR(*toe.timeUs, 2e6 * c.length / c.speed, rec.sampleIntervalUs);
        EXPECT_GT(toe.confidence, 0.9);
    }
}

TEST(FindPileToe, WithoutALengthTakesTheStrongestEchoAfterTheBlow) {
    PileRecord rec = FieldRecord(Pile(10, 3600, ToeCondition::kFree, 0.005));
    rec.pileLength = 0.0f;
    rec.waveSpeed = 0.0f;
    const PileToe toe = FindPileToe(rec);
    ASSERT_TRUE(toe.timeUs);
    EXPECT_NEAR(*toe.timeUs, 2e6 * 10 / 3600, rec.sampleIntervalUs);
}

TEST(FindPileToe, NothingInATraceWithoutABlow) {
    PileRecord rec;
    rec.sampleCount = 1024;
    rec.sampleIntervalUs = 20;
    rec.pileLength = 10;
    EXPECT_FALSE(FindPileToe(rec).timeUs);  // all zero
    rec.waves[kStackedSlot].fill(-5);
    const PileAnalysis a = AnalyzePile(rec);
    EXPECT_FALSE(a.toe.timeUs);
    EXPECT_TRUE(a.defects.empty());
    EXPECT_TRUE(a.impedance.values.empty());
}

TEST(FindDefects, AnIntactPileHasNone) {
    for (const ToeCondition toe : {ToeCondition::kFree, ToeCondition::kFixed}) {
        for (const double noise : {0.0, 0.03}) {
            const PileRecord rec = FieldRecord(Pile(16, 3700, toe, noise));
            EXPECT_TRUE(FindDefects(rec).empty()) << "noise " << noise;
        }
    }
}

TEST(FindDefects, ANeckingAndABulgeAtTheirDepthsWithTheirRatios) {
    struct Case {
        Defect defect;
        DefectKind kind;
    } cases[] = {{{4.5, 1.5, 0.6}, DefectKind::kNecking}, {{7.0, 1.0, 1.6}, DefectKind::kBulge}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "defect ratio " << c.defect.ratio);
        SynthOptions o = Pile(12, 3900, ToeCondition::kFree, 0.01);
        o.pile.defects = {c.defect};
        const std::vector<PileDefect> found = FindDefects(FieldRecord(o));
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].kind, c.kind);
        EXPECT_NEAR(found[0].depthM, c.defect.depthM, 0.1);
        EXPECT_NEAR(found[0].timeUs, 2e6 * c.defect.depthM / 3900, 20.0);
        ASSERT_TRUE(found[0].ratio);
        EXPECT_NEAR(*found[0].ratio, c.defect.ratio, 0.05 * c.defect.ratio);
    }
}

TEST(ImpedanceProfile, StartsAtOneAndShowsTheNeckingDownToTheToe) {
    SynthOptions o = Pile(12, 3900, ToeCondition::kFree, 0.0);
    o.pile.defects = {{4.5, 1.5, 0.6}};
    const PileRecord rec = FieldRecord(o);
    const PileImpedance z = ImpedanceProfile(rec);
    // Elements of one sampling interval of two-way time: 12 m over 2L/c.
    const double toeUs = 2e6 * 12 / 3900;
    EXPECT_NEAR(z.dzM, 12.0 / toeUs * rec.sampleIntervalUs, 1e-3);
    ASSERT_NEAR(z.values.size(), toeUs / rec.sampleIntervalUs + 1, 2.0);  // the toe within a sample
    auto at = [&](double depth) { return z.values[static_cast<size_t>(depth / z.dzM)]; };
    EXPECT_EQ(z.values.front(), 1.0);
    EXPECT_NEAR(at(3.0), 1.0, 0.02);
    EXPECT_NEAR(at(5.25), 0.6, 0.03);
    EXPECT_NEAR(at(9.0), 1.0, 0.05);
}

TEST(PileAnalysis, DepthsFollowTheLengthFixedRule) {
    PileRecord rec;
    rec.pileLength = 12.0f;
    rec.waveSpeed = 4000.0f;
    PileToe toe;
    toe.timeUs = 6000.0;
    EXPECT_DOUBLE_EQ(MetresPerMicrosecond(rec, toe), 0.002);        // length / toe time
    EXPECT_DOUBLE_EQ(MetresPerMicrosecond(rec, PileToe{}), 0.002);  // speed / 2
    rec.pileLength = std::numeric_limits<float>::infinity();
    rec.waveSpeed = std::nanf("");
    EXPECT_EQ(MetresPerMicrosecond(rec, toe), 0.0);
}

}  // namespace
}  // namespace kx
