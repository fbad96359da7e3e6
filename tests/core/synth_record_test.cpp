#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "record/gbk.h"
#include "record/raw_file_writer.h"
#include "support/fixture_writer.h"
#include "synth/synth_record.h"

namespace kx {
namespace {

using synth::Defect;
using synth::MakeSynthRecord;
using synth::SynthOptions;

std::vector<uint8_t> FileBytes(const SynthOptions& o) {
    const synth::SynthResult res = MakeSynthRecord(o);
    EXPECT_TRUE(res.status) << res.status.reason;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(RawFileBytes(res.record, res.stamp, bytes));
    return bytes;
}

using test::Gbk;

struct FileCase {
    int layout, blows, samples, intervalUs;
    std::vector<Defect> defects;
    std::string integrityClass;  // layout 234 only
};

TEST(SynthRecord, FilesReadBackWithoutComplaintAndCarryAPlausibleHeader) {
    const FileCase cases[] = {
        {234, 4, 1024, 20, {}, "I"},
        {234, 1, 16, 50, {{3, 1, 0.9}}, "II"},
        {234, 3, 700, 10, {{3, 1, 1.5}, {6, 1, 0.7}}, "III"},
        {123, 8, 1024, 20, {{5, 0.5, 0.3}}, "I"},
        {123, 2, 512, 20, {}, "I"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << ", " << c.blows << " blows");
        SynthOptions o;
        o.layout = c.layout;
        o.blows = c.blows;
        o.samples = c.samples;
        o.intervalUs = c.intervalUs;
        o.pile.defects = c.defects;
        o.site = "滨江花园二期";
        o.pileNumber = "17#";
        const synth::SynthResult res = MakeSynthRecord(o);
        ASSERT_TRUE(res.status) << res.status.reason;
        ASSERT_TRUE(WriteRawFile("synth.kxd", res.record, res.stamp));

        PileRecord r;
        const ReadOutcome read = r.ReadTestFile(nullptr, "synth.kxd");
        ASSERT_TRUE(read) << read.status.reason;
        EXPECT_TRUE(read.messages.empty());
        EXPECT_TRUE(r == res.record);  // nothing the generator set is lost on the way

        EXPECT_EQ(r.formatVersion, c.layout);
        EXPECT_EQ(r.sampleCount, c.samples);
        EXPECT_EQ(r.sampleIntervalUs, c.intervalUs);
        EXPECT_EQ(r.pileLength, 10.0f);
        EXPECT_EQ(r.waveSpeed, 3800.0f);
        EXPECT_EQ(r.site, Gbk("滨江花园二期"));
        EXPECT_EQ(r.pileNumber, "17#");
        EXPECT_FALSE(r.testingUnit.empty());
        EXPECT_EQ(r.testDate, "2026-05-20");
        EXPECT_GE(r.testTime, "08:00:00");
        EXPECT_LE(r.testTime, "18:00:00");
        EXPECT_EQ(r.lowPassHz, 1000);
        EXPECT_FALSE(r.integrated);
        EXPECT_FALSE(r.invertPending);
        if (c.layout == 234) {
            EXPECT_EQ(r.integrityClass, c.integrityClass);
            EXPECT_FALSE(r.instrumentNumber.empty());
        }

        // The blows present, each a little different; the stack is their truncated mean.
        for (int s = 0; s < 8; ++s) {
            EXPECT_EQ(r.waveAbsent[s], s >= c.blows) << "slot " << s;
        }
        EXPECT_FALSE(r.waveAbsent[kStackedSlot]);
        if (c.blows > 1) {
            EXPECT_NE(r.waves[0], r.waves[1]);
        }
        for (int i = 0; i < c.samples; ++i) {
            int64_t sum = 0;
            for (int b = 0; b < c.blows; ++b) {
                sum += r.waves[b][i];
            }
            ASSERT_EQ(r.waves[kStackedSlot][i], sum / c.blows) << "sample " << i;
        }

        // The instrument's marks: the first velocity peak comes half a pulse after the blow's
        // onset, the toe mark one travel time 2L/c later.
        const double topUs = synth::kOnsetSamples * c.intervalUs + synth::kPulseDurationUs / 2;
        EXPECT_NEAR(r.pileTopTimeUs, topUs, 2.0 * c.intervalUs);
        EXPECT_NEAR(r.pileBottomTimeUs - r.pileTopTimeUs, 2 * 10.0 / 3800 * 1e6,
                    0.5 * c.intervalUs);
        EXPECT_EQ(r.defectTimeUs, 0.0f);
    }
}

TEST(SynthRecord, TheSeedAloneDecidesTheBytes) {
    SynthOptions o;
    o.pile.defects = {{4, 1, 0.6}};
    o.seed = 1234;
    const std::vector<uint8_t> first = FileBytes(o);
    EXPECT_EQ(FileBytes(o), first);
    o.seed = 1235;
    EXPECT_NE(FileBytes(o), first);
    // The noise and the blows follow the seed, not the pile: a defect leaves the samples before
    // its echo as they were.
    o.seed = 1234;
    o.pile.defects = {{8, 1, 0.6}};
    const synth::SynthResult a = MakeSynthRecord(o);
    o.pile.defects = {{4, 1, 0.6}};
    const synth::SynthResult b = MakeSynthRecord(o);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(a.record.waves[0][i], b.record.waves[0][i]) << i;
    }
    EXPECT_EQ(a.stamp.millisOfDay, b.stamp.millisOfDay);
}

TEST(SynthRecord, NoiseScalesWithTheOption) {
    SynthOptions o;
    o.samples = 64;
    o.noise = 0;
    const PileRecord quiet = MakeSynthRecord(o).record;
    // Before the blow the accelerometer reads exactly nothing without noise.
    for (int i = 0; i < synth::kOnsetSamples - 1; ++i) {
        EXPECT_EQ(quiet.waves[0][i], 0);
    }
    o.noise = 0.05;
    const PileRecord noisy = MakeSynthRecord(o).record;
    double sq = 0;
    const int quietSamples = synth::kOnsetSamples - 1;
    for (int b = 0; b < 4; ++b) {
        for (int i = 0; i < quietSamples; ++i) {
            sq += static_cast<double>(noisy.waves[b][i]) * noisy.waves[b][i];
        }
    }
    const double rms = std::sqrt(sq / (4 * quietSamples));
    EXPECT_NEAR(rms / synth::kPeakCounts, 0.05, 0.02);
}

TEST(SynthRecord, DefectsAreParsedFromDepthLengthAndRatio) {
    Defect d;
    ASSERT_TRUE(synth::ParseDefect("4.5:1:0.6", d));
    EXPECT_EQ(d.depthM, 4.5);
    EXPECT_EQ(d.lengthM, 1.0);
    EXPECT_EQ(d.ratio, 0.6);
    EXPECT_EQ(d.taperM, 0.0);
    ASSERT_TRUE(synth::ParseDefect("4.5:1:0.6:0.3", d));  // a taper for the field model
    EXPECT_EQ(d.taperM, 0.3);
    for (const char* bad : {"", "4", "4:1", "4:1:0.6:2:1", "a:1:0.6", "4::0.6", "4:1:nan",
                            "4:1:inf", " 4:1:0.6", "4:1:0.6x", "4;1;0.6", "4:1:0.6:"}) {
        SCOPED_TRACE(bad);
        const Status st = synth::ParseDefect(bad, d);
        EXPECT_FALSE(st);
        EXPECT_NE(st.reason.find("DEPTH:LENGTH:RATIO"), std::string::npos);
    }
}

TEST(SynthRecord, OptionsOutsideTheModelAreRefusedNamingTheOption) {
    struct Case {
        const char* option;
        void (*spoil)(SynthOptions&);
    };
    const Case cases[] = {
        {"--length", [](SynthOptions& o) { o.pile.lengthM = 0.5; }},
        {"--length", [](SynthOptions& o) { o.pile.lengthM = NAN; }},
        {"--speed", [](SynthOptions& o) { o.pile.speedMps = 9000; }},
        {"--defect",
         [](SynthOptions& o) {
             o.pile.defects = {{0, 1, 0.5}};
         }},
        {"--defect",
         [](SynthOptions& o) {
             o.pile.defects = {{9.5, 1, 0.5}};
         }},
        {"--defect",
         [](SynthOptions& o) {
             o.pile.defects = {{4, 0, 0.5}};
         }},
        {"--defect",
         [](SynthOptions& o) {
             o.pile.defects = {{4, 1, 0}};
         }},
        {"--defect",
         [](SynthOptions& o) {
             o.pile.defects = {{4, 2, 0.5}, {5, 1, 1.5}};
         }},
        {"--blows", [](SynthOptions& o) { o.blows = 0; }},
        {"--blows", [](SynthOptions& o) { o.blows = 9; }},
        {"--blows", [](SynthOptions& o) { o.blows = 5; }},  // layout 234 holds four
        {"--interval", [](SynthOptions& o) { o.intervalUs = 0; }},
        {"--samples", [](SynthOptions& o) { o.samples = 1025; }},
        {"--samples", [](SynthOptions& o) { o.samples = 8; }},
        {"--noise", [](SynthOptions& o) { o.noise = -0.1; }},
        {"--layout", [](SynthOptions& o) { o.layout = 124; }},
        {"--site", [](SynthOptions& o) { o.site = "工地😀"; }},
        {"--site", [](SynthOptions& o) { o.site = std::string(1024, 'x'); }},
        {"--pile", [](SynthOptions& o) { o.pileNumber = "\xFF"; }},
    };
    for (const Case& c : cases) {
        SynthOptions o;
        c.spoil(o);
        const synth::SynthResult res = MakeSynthRecord(o);
        SCOPED_TRACE(res.status.reason);
        EXPECT_FALSE(res.status);
        EXPECT_EQ(res.status.reason.rfind(c.option, 0), 0u);
    }
    // The edges themselves are fine: a defect may end at the toe, eight blows fit layout 123.
    SynthOptions o;
    o.pile.defects = {{8, 2, 0.5}, {4, 4, 1.2}};
    o.layout = 123;
    o.blows = 8;
    o.samples = 16;
    EXPECT_TRUE(MakeSynthRecord(o).status);
}

TEST(SynthRecord, WarnsWhenTheRecordEndsBeforeTheToeEcho) {
    SynthOptions o;
    o.pile.lengthM = 30;
    o.samples = 256;
    const synth::SynthResult res = MakeSynthRecord(o);
    ASSERT_TRUE(res.status);
    ASSERT_EQ(res.warnings.size(), 1u);
    EXPECT_NE(res.warnings[0].find("toe echo"), std::string::npos);
    o.samples = 1024;
    EXPECT_TRUE(MakeSynthRecord(o).warnings.empty());
}

}  // namespace
}  // namespace kx
