// Worked values of the analysis aids: the layered pile's echoes, the deconvolution, and the
// toe, defects and impedance profile found on synthetic piles whose truth is known. How well
// they do over many piles is measured by the evaluation program (bench/evaluation), not here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "analysis/incident_pulse.h"
#include "analysis/layered_echoes.h"
#include "analysis/pile_analysis.h"
#include "analysis/sparse_deconvolution.h"
#include "synth_test_util.h"

namespace kx {
namespace {

using synth::Defect;
using synth::SynthOptions;
using synth::ToeCondition;

TEST(LayeredEchoes, OneChangeEchoesAtItsTimeAndAgainAfterTheHeadSendsItBack) {
    // r = 0.5 at two-way time 100, no damping: the head sees 2r at 100, then the echo, sent
    // down again by the free head, comes back as 2r^2 at 200, 2r^3 at 300.
    const HeadResponse h = LayeredHeadResponse({{100.0, 0.5}}, 0.0, 0.0, 350.0, 1e-9);
    ASSERT_EQ(h.arrivals.size(), 3u);
    EXPECT_DOUBLE_EQ(h.arrivals[0].time, 100.0);
    EXPECT_DOUBLE_EQ(h.arrivals[0].amplitude, 1.0);
    EXPECT_DOUBLE_EQ(h.arrivals[1].time, 200.0);
    EXPECT_DOUBLE_EQ(h.arrivals[1].amplitude, 0.5);
    EXPECT_DOUBLE_EQ(h.arrivals[2].amplitude, 0.25);
    EXPECT_TRUE(h.soil.empty());
}

TEST(LayeredEchoes, ASectionEchoesInAndOut) {
    // Necking to 0.6 between 100 and 140: r = 0.25 in, -0.25 out; the exit's echo passes the
    // entry both ways (1 - r^2). Damping exp(-0.001 t) on the way.
    const std::vector<ImpedanceChange> neck = {{100.0, 0.25}, {140.0, -0.25}};
    const HeadResponse h = LayeredHeadResponse(neck, 0.0, 0.001, 150.0, 1e-9);
    ASSERT_EQ(h.arrivals.size(), 2u);
    EXPECT_NEAR(h.arrivals[0].amplitude, 0.5 * std::exp(-0.1), 1e-12);
    EXPECT_NEAR(h.arrivals[1].time, 140.0, 1e-9);
    EXPECT_NEAR(h.arrivals[1].amplitude, -0.5 * (1 - 0.0625) * std::exp(-0.14), 1e-12);
}

TEST(LayeredEchoes, TheSoilAnswersEveryDownGoingWaveOverItsSection) {
    // Without changes the incident wave runs down forever; with one, the soil answers it down
    // to the change, and again the echo the head sends back down.
    const HeadResponse none = LayeredHeadResponse({}, 0.002, 0.0, 500.0, 1e-9);
    ASSERT_EQ(none.soil.size(), 1u);
    EXPECT_EQ(none.soil[0].from, 0.0);
    EXPECT_TRUE(std::isinf(none.soil[0].to));
    EXPECT_EQ(none.soil[0].amplitude, 0.002);
    const HeadResponse one = LayeredHeadResponse({{100.0, 0.5}}, 0.002, 0.0, 250.0, 1e-9);
    ASSERT_GE(one.soil.size(), 2u);
    EXPECT_DOUBLE_EQ(one.soil[0].to, 100.0);
    EXPECT_NEAR(one.soil[1].from, 100.0, 1e-9);
    EXPECT_NEAR(one.soil[1].to, 200.0, 1e-9);
    EXPECT_NEAR(one.soil[1].amplitude, 0.002 * one.arrivals[0].amplitude / 2.0, 1e-12);
}

TEST(SparseDeconvolution, SeparatesTwoOppositeEchoesCloserThanTheirWavelet) {
    // A 24-sample wavelet, echoes +1 at 40 and -0.6 at 50 (a short necking's in and out).
    std::vector<double> wavelet(24);
    for (int k = 0; k < 24; ++k) {
        wavelet[k] = std::cos(std::numbers::pi * (k + 0.5) / 24);
    }
    std::vector<double> signal(200, 0.0);
    for (int k = 0; k < 24; ++k) {
        signal[5 + 40 + k] += wavelet[k];
        signal[5 + 50 + k] -= 0.6 * wavelet[k];
    }
    const std::vector<SparseEcho> echoes =
        SparseDeconvolve(signal, 0, wavelet, 5, 10, 150, 0.01, 2000);
    ASSERT_EQ(echoes.size(), 2u);
    EXPECT_NEAR(echoes[0].delay, 40.0, 0.05);
    EXPECT_NEAR(echoes[0].amplitude, 1.0, 0.02);
    EXPECT_NEAR(echoes[1].delay, 50.0, 0.05);
    EXPECT_NEAR(echoes[1].amplitude, -0.6, 0.02);
}

TEST(IncidentPulse, IsTheBlowFromItsFootUntilItFallsBackToZero) {
    // A half sine from sample 8 to 48 (peak 1 at 28), quiet before, an echo later on.
    std::vector<double> v(200, 0.0);
    for (int i = 8; i <= 48; ++i) {
        v[i] = std::sin(std::numbers::pi * (i - 8) / 40.0);
    }
    for (int i = 120; i <= 160; ++i) {
        v[i] = 0.3 * std::sin(std::numbers::pi * (i - 120) / 40.0);
    }
    const IncidentPulse p = EstimateIncidentPulse(v, 28, 0.0, 0.0);
    ASSERT_FALSE(p.empty());
    EXPECT_LE(p.first, 8);
    EXPECT_NEAR(p.peak, 28.0, 1e-9);
    EXPECT_NEAR(p.At(18.0), v[18], 1e-12);
    EXPECT_NEAR(p.At(38.5), std::sin(std::numbers::pi * 30.5 / 40.0), 1e-3);
    EXPECT_EQ(p.At(130.0), 0.0);  // the echo is no part of it
    int peak = 0;
    double position = 0;
    ASSERT_TRUE(FindPileTopPeak(v, peak, position));
    EXPECT_EQ(peak, 28);
    EXPECT_FALSE(FindPileTopPeak(std::vector<double>(10, -1.0), peak, position));
}

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
    ASSERT_NEAR(z.values.size(), toeUs / rec.sampleIntervalUs + 1, 1.5);
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
