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

// A scan as ScanEchoes leaves it, with the arrivals given: a blow rising over 10 samples of
// 20 µs, no fading.
EchoScan ScanOf(std::vector<Arrival> arrivals) {
    EchoScan scan;
    scan.ok = true;
    scan.sampleCount = 1024;
    scan.intervalUs = 20;
    scan.peak = 20;
    scan.width = 10;
    scan.noise = 0.001;
    for (Arrival& a : arrivals) {
        a.index = scan.peak + static_cast<int>(a.timeUs / scan.intervalUs);
        a.sigmas = std::fabs(a.amplitude) / scan.noise;
        a.insideBlow = a.timeUs < 1.5 * scan.width * scan.intervalUs;
    }
    scan.arrivals = std::move(arrivals);
    return scan;
}

Arrival At(double timeUs, double amplitude) {
    Arrival a;
    a.timeUs = timeUs;
    a.amplitude = amplitude;
    return a;
}

TEST(PickDefects, EchoesOfEchoesAreSetAsideButNoEchoIsItsOwn) {
    // 1 mm per µs: 2 m per 1,000 µs of two-way time.
    struct Case {
        const char* what;
        std::vector<Arrival> arrivals;
        std::vector<double> expectedUs;
    } cases[] = {
        // A strong wave inside the blow (where the blow's shape is not the template's) once
        // made every later wave of its sign look like its own echo.
        {"a strong wave inside the blow",
         {At(150, 1.2), At(2400, 0.34), At(3000, -0.26)},
         {150, 2400}},
        // The necking's echo comes back down once more: at twice its time, its square's size.
        {"the echo of a necking's echo", {At(2000, 0.4), At(2600, -0.3), At(4000, 0.09)}, {2000}},
        // Two changes: down to one, back, down to the other, and the other way round.
        {"the echo of two changes", {At(1500, 0.3), At(2500, 0.3), At(4000, 0.12)}, {1500, 2500}},
        {"a wave too big for an echo of echoes", {At(2000, 0.3), At(4000, 0.3)}, {2000, 4000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<double> found;
        for (const PileDefect& d : PickDefects(ScanOf(c.arrivals), 9000, 1e-3)) {
            found.push_back(d.timeUs);
        }
        EXPECT_EQ(found, c.expectedUs);
    }
}

TEST(PickDefects, AWeakWaveDoesNotTakeAStrongOneForItsWayBack) {
    // A faint rise 1 m down, then a necking of 0.6 (reflection 0.25) 4 m down and its end.
    const std::vector<PileDefect> found =
        PickDefects(ScanOf({At(1000, -0.15), At(4000, 0.5), At(5000, -0.35)}), 9000, 1e-3);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].kind, DefectKind::kBulge);
    EXPECT_EQ(found[0].endUs, 0.0);
    EXPECT_EQ(found[1].kind, DefectKind::kNecking);
    EXPECT_NEAR(found[1].depthM, 4.0, 1e-9);
    EXPECT_EQ(found[1].endUs, 5000.0);
    ASSERT_TRUE(found[1].ratio);
    EXPECT_NEAR(*found[1].ratio, 0.6, 1e-9);
}

TEST(PickDefects, WhatTheBlowLeavesIsNoDefect) {
    struct Case {
        const char* what;
        Arrival arrival;
        bool reported;
    } cases[] = {
        {"the blow itself, a little otherwise shaped", At(60, 0.5), false},
        {"the soil's undershoot just after the blow", At(400, -0.2), false},
        {"a strong bulge just after the blow", At(400, -0.4), true},
        {"a necking just after the blow", At(400, 0.12), true},
        {"a change of less than a tenth", At(3000, 0.08), false},
        {"a wave inside the blow under its threshold", At(150, 0.1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PickDefects(ScanOf({c.arrival}), 9000, 1e-3).size(), c.reported ? 1u : 0u);
    }
    // Inside the blow a defect has its kind and depth but no ratio.
    const std::vector<PileDefect> inside = PickDefects(ScanOf({At(150, 0.5)}), 9000, 1e-3);
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_FALSE(inside[0].ratio);
}

TEST(PickPileToe, ConfidenceIsNeverBelowZero) {
    // The toe is the first strong wave in the window; a stronger one after it lowers the
    // confidence, to no less than nothing.
    const PileToe toe = PickPileToe(ScanOf({At(6000, 0.3), At(6400, 0.9)}), 12, 4000);
    ASSERT_TRUE(toe.timeUs);
    EXPECT_GE(toe.confidence, 0.0);
    EXPECT_LE(toe.confidence, 1.0);
}

TEST(PickPileToe, ASpringToesEchoBeginsWithItsFirstHalf) {
    // 12 m at 4,000 m/s: 6,000 µs. The spring gives first, then holds: a weaker echo as the
    // blow came, then a stronger inverted one.
    const PileToe spring = PickPileToe(ScanOf({At(6000, 0.15), At(6400, -0.4)}), 12, 4000);
    ASSERT_TRUE(spring.timeUs);
    EXPECT_EQ(*spring.timeUs, 6000.0);
    // Far apart, or too weak to be half of it, the earlier wave is something else.
    const PileToe apart = PickPileToe(ScanOf({At(5500, 0.15), At(6400, -0.4)}), 12, 4000);
    ASSERT_TRUE(apart.timeUs);
    EXPECT_EQ(*apart.timeUs, 6400.0);
    const PileToe weak = PickPileToe(ScanOf({At(6000, 0.05), At(6400, -0.4)}), 12, 4000);
    ASSERT_TRUE(weak.timeUs);
    EXPECT_EQ(*weak.timeUs, 6400.0);
}

// Records of the field model: soil along the shaft, damping, a real hammer and sensor, drift.
TEST(AnalyzePile, FieldRecordsOfAnIntactPileAndANecking) {
    struct Case {
        const char* what;
        std::vector<Defect> defects;
    } cases[] = {{"intact", {}}, {"necking of 0.65 at 4.5 m", {{4.5, 1.5, 0.65}}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SynthOptions o = Pile(12, 3800, ToeCondition::kFree, 0.004);
        o.intervalUs = 10;
        o.field.enabled = true;
        o.field.soilLoss = 0.35;
        o.field.pulseMs = 0.7;
        o.field.offset = 0.004;
        o.field.drift = 0.006;
        o.pile.defects = c.defects;
        const PileAnalysis a = AnalyzePile(FieldRecord(o));
        ASSERT_TRUE(a.toe.timeUs);
        EXPECT_NEAR(*a.toe.timeUs, 2e6 * 12 / 3800, 0.01 * 2e6 * 12 / 3800);
        std::vector<PileDefect> outside;  // a shallow wave inside the blow may stay unexplained
        for (const PileDefect& d : a.defects) {
            if (d.ratio) {
                outside.push_back(d);
            }
        }
        ASSERT_EQ(outside.size(), c.defects.size());
        if (!c.defects.empty()) {
            EXPECT_EQ(outside[0].kind, DefectKind::kNecking);
            EXPECT_NEAR(outside[0].depthM, 4.5, 0.3);
            EXPECT_NEAR(*outside[0].ratio, 0.65, 0.1);
        }
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
