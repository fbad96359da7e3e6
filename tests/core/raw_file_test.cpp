#include <gtest/gtest.h>

#include <cstring>

#include "record/pile_record.h"
#include "record/record_io.h"
#include "core/record_test_util.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

using test::MakeRawFixture;
using test::RawFixture;

ReadOutcome ReadRaw(const RawFixture& f, PileRecord& rec, RecordOwner* owner = nullptr) {
    return rec.ReadTestBytes(owner, f.Build(), true);
}

// Every header field the raw file carries, compared with what the fixture wrote.
void ExpectHeaderFromFixture(const PileRecord& v, const PileRecord& r) {
    EXPECT_EQ(std::string(r.magic.data(), 4), "QRVA");
    EXPECT_EQ(r.headerValue, v.headerValue);
    EXPECT_EQ(r.headerText, v.headerText);
    EXPECT_EQ(r.testingUnit, v.testingUnit);
    EXPECT_EQ(r.tester, v.tester);
    EXPECT_EQ(r.remarks, v.remarks);
    EXPECT_EQ(r.site, v.site);
    EXPECT_EQ(r.pileNumber, v.pileNumber);
    EXPECT_EQ(r.pileLength, v.pileLength);
    EXPECT_EQ(r.waveSpeed, v.waveSpeed);
    EXPECT_EQ(r.sampleCount, v.sampleCount);
    EXPECT_EQ(r.sampleIntervalUs, v.sampleIntervalUs);
    EXPECT_EQ(r.instrShort1, v.instrShort1);
    EXPECT_EQ(r.instrShort2, v.instrShort2);
    EXPECT_EQ(r.pileTopTimeUs, v.pileTopTimeUs);
    EXPECT_EQ(r.instrInt1, v.instrInt1);
    EXPECT_EQ(r.pileBottomTimeUs, v.pileBottomTimeUs);
    EXPECT_EQ(r.instrInt2, v.instrInt2);
    EXPECT_EQ(r.instrInt3, v.instrInt3);
    EXPECT_EQ(r.instrInt4, v.instrInt4);
    EXPECT_EQ(r.instrFlag1, v.instrFlag1);
    EXPECT_EQ(r.instrFlag2, v.instrFlag2);
    EXPECT_EQ(r.instrFlag3, v.instrFlag3);
    EXPECT_EQ(r.instrFloat1, v.instrFloat1);
    EXPECT_EQ(r.instrFloat2, v.instrFloat2);
    EXPECT_EQ(r.defectTimeUs, v.defectTimeUs);
    EXPECT_EQ(r.instrInt5, v.instrInt5);
    EXPECT_EQ(r.instrFloat3, v.instrFloat3);
    EXPECT_EQ(r.lowPassHz, v.lowPassHz);
    EXPECT_EQ(r.instrFloat4, v.instrFloat4);
    EXPECT_EQ(r.instrFloat5, v.instrFloat5);
    EXPECT_EQ(r.channelShorts, v.channelShorts);
    EXPECT_EQ(r.instrFlag7, v.instrFlag7);
    EXPECT_EQ(r.waveAbsent, v.waveAbsent);
    EXPECT_EQ(r.channelInts, v.channelInts);
    EXPECT_EQ(r.instrFlag4, v.instrFlag4);
    EXPECT_EQ(r.invertPending, v.invertPending);
    EXPECT_EQ(r.instrFlag5, v.instrFlag5);
    EXPECT_EQ(r.integrated, v.integrated);
    EXPECT_EQ(r.instrInt6, v.instrInt6);
    EXPECT_EQ(r.instrInt7, v.instrInt7);
    EXPECT_EQ(r.instrInt8, v.instrInt8);
    EXPECT_EQ(r.instrFlag6, v.instrFlag6);
    // Memory-only fields keep their defaults.
    EXPECT_EQ(r.cursorTimeText, "0");
    EXPECT_EQ(r.cursorVoltage, 0.0f);
    EXPECT_EQ(r.cursorPosition, 0.0f);
}

TEST(RawFile, Layout234ReadsEveryFieldAndMovesTheStackedWave) {
    for (int16_t n : {0, 1, 7, 1024}) {
        SCOPED_TRACE(n);
        const RawFixture f = MakeRawFixture(234, n);
        PileRecord r;
        const ReadOutcome out = ReadRaw(f, r);
        ASSERT_TRUE(out) << out.status.reason;
        EXPECT_TRUE(out.messages.empty());
        EXPECT_EQ(r.formatVersion, 234);
        ExpectHeaderFromFixture(f.values, r);
        EXPECT_EQ(r.testDate, "2018-06-28");
        EXPECT_EQ(r.testTime, "01:02:03");
        EXPECT_EQ(r.integrityClass, "II");
        EXPECT_EQ(r.concreteStrength, "C30");
        EXPECT_EQ(r.pileDiameter, "800");
        EXPECT_EQ(r.instrumentNumber, "KX-1");
        // Longitude and latitude keep float precision only.
        EXPECT_EQ(r.longitude, static_cast<double>(static_cast<float>(114.123456789)));
        EXPECT_EQ(r.latitude, static_cast<double>(static_cast<float>(-22.987654321)));
        for (int s = 0; s < 4; ++s)
            for (int i = 0; i < n; ++i) ASSERT_EQ(r.waves[s][i], f.fileWaves[s][i]);
        for (int i = 0; i < n; ++i) ASSERT_EQ(r.waves[8][i], f.fileWaves[4][i]);
        for (int s : {4, 5, 6, 7, 9})
            for (int i = 0; i < kMaxSamples; ++i) ASSERT_EQ(r.waves[s][i], 0) << s << ":" << i;
        for (int i = n; i < kMaxSamples; ++i) ASSERT_EQ(r.waves[8][i], 0);
    }
}

TEST(RawFile, Layout123ReadsNineSlotsKeepsConclusionDefaultsAndDumps) {
    RawFixture f = MakeRawFixture(123, 5);
    PileRecord r;
    ASSERT_TRUE(ReadRaw(f, r));
    EXPECT_EQ(r.formatVersion, 123);
    ExpectHeaderFromFixture(f.values, r);
    EXPECT_EQ(r.integrityClass, "I");
    EXPECT_EQ(r.concreteStrength, "");
    EXPECT_EQ(r.instrumentNumber, "");
    for (int s = 0; s < 9; ++s)
        for (int i = 0; i < 5; ++i) ASSERT_EQ(r.waves[s][i], f.fileWaves[s][i]);
    EXPECT_EQ(test::FileText("读原始文件后.txt"), "900000,-900001,900002,-900003,900004,");
}

TEST(RawFile, UnknownLayoutReadsNoWaveform) {
    RawFixture f = MakeRawFixture(123, 4);
    f.layout = 77;
    f.fileWaves.clear();
    PileRecord r;
    ASSERT_TRUE(ReadRaw(f, r));
    EXPECT_EQ(r.formatVersion, 77);
    EXPECT_EQ(r.waves[8][0], 0);
}

TEST(RawFile, ReserveShrinksByTheConclusionStrings) {
    struct Case {
        const char* cls;
        const char* strength;
        const char* diameter;
        const char* instrument;
        size_t reserve;
    };
    const Case cases[] = {
        {"", "", "", "", 991},
        {"0123456789", "C30C3", "1200", "KX7", 969},
    };
    for (const auto& c : cases) {
        RawFixture f = MakeRawFixture(234, 3);
        f.values.integrityClass = c.cls;
        f.values.concreteStrength = c.strength;
        f.values.pileDiameter = c.diameter;
        f.values.instrumentNumber = c.instrument;
        const auto bytes = f.Build();
        // The waves start right after the reserve: 218 fixed bytes, the strings, the reserve.
        size_t strings = f.values.headerText.size() + f.values.testingUnit.size() +
                         f.values.tester.size() + f.values.remarks.size() +
                         f.values.site.size() + f.values.pileNumber.size();
        ASSERT_EQ(bytes.size(), 218 + strings + 16 + 991 + 5 * 3 * 4);
        PileRecord r;
        const ReadOutcome out = r.ReadTestBytes(nullptr, bytes, true);
        ASSERT_TRUE(out) << out.status.reason;
        EXPECT_EQ(r.integrityClass, c.cls);
        EXPECT_EQ(r.instrumentNumber, c.instrument);
        EXPECT_EQ(r.waves[0][0], f.fileWaves[0][0]);
        EXPECT_EQ(r.waves[8][2], f.fileWaves[4][2]);
        EXPECT_EQ(991 - (strlen(c.cls) + strlen(c.strength) + strlen(c.diameter) +
                         strlen(c.instrument)),
                  c.reserve);
    }
}

TEST(RawFile, OversizedConclusionStringsWarnAndReadWavesRightAfter) {
    RawFixture f = MakeRawFixture(234, 2);
    f.values.remarks = "r";
    f.values.concreteStrength = std::string(600, 'c');
    f.values.pileDiameter = std::string(400, 'd');  // 2 + 3 + 600 + 400 + 4 > 991
    PileRecord r;
    const ReadOutcome out = ReadRaw(f, r);
    ASSERT_TRUE(out) << out.status.reason;
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0], "原参数预留空间不足！！！");
    EXPECT_EQ(r.waves[0][1], f.fileWaves[0][1]);
    EXPECT_EQ(r.waves[8][1], f.fileWaves[4][1]);
}

TEST(RawFile, AnyNonZeroFlagByteIsTrue) {
    RawFixture f = MakeRawFixture(234, 1);
    f.trueByte = 0x80;
    PileRecord r;
    ASSERT_TRUE(ReadRaw(f, r));
    EXPECT_TRUE(r.instrFlag1);
    EXPECT_TRUE(r.invertPending);
    EXPECT_TRUE(r.waveAbsent[1]);
    EXPECT_FALSE(r.waveAbsent[0]);
    std::array<uint8_t, 1> raw{};
    std::memcpy(raw.data(), &r.invertPending, 1);
    EXPECT_EQ(raw[0], 1);
}

TEST(RawFile, ZeroByteInsideAStringEndsTheText) {
    RawFixture f = MakeRawFixture(234, 1);
    f.values.site = std::string("AB\0CD", 5);
    PileRecord r;
    ASSERT_TRUE(ReadRaw(f, r));
    EXPECT_EQ(r.site, "AB");
    EXPECT_EQ(r.pileNumber, f.values.pileNumber);
}

TEST(RawFile, WrongMagicClearsOwnerPathAndKeepsDefaults) {
    RawFixture f = MakeRawFixture(234, 8);
    std::memcpy(f.values.magic.data(), "QRVB", 4);
    PileRecord r;
    r.site = "previous";
    test::CountingOwner owner;
    const ReadOutcome out = ReadRaw(f, r, &owner);
    EXPECT_FALSE(out);
    EXPECT_EQ(owner.cleared, 1);
    EXPECT_EQ(r, test::DefaultsWithMagic({'Q', 'R', 'V', 'B'}));
}

TEST(RawFile, RejectsCountsOutOfRange) {
    struct Case {
        std::optional<int32_t> stringCount;
        int16_t sampleCount;
        bool ok;
    };
    const Case cases[] = {
        {-1, 4, false},   {1024, 4, false}, {INT32_MAX, 4, false},
        {std::nullopt, -1, false}, {std::nullopt, 1025, false}, {std::nullopt, -32768, false},
    };
    for (const auto& c : cases) {
        RawFixture f = MakeRawFixture(234, 4);
        f.headerTextCount = c.stringCount;
        f.values.sampleCount = c.sampleCount;
        PileRecord r;
        test::CountingOwner owner;
        const ReadOutcome out = ReadRaw(f, r, &owner);
        EXPECT_EQ(static_cast<bool>(out), c.ok);
        EXPECT_FALSE(out.status.reason.empty());
        EXPECT_EQ(owner.cleared, 0);
        EXPECT_EQ(r, test::DefaultsWithMagic({'Q', 'R', 'V', 'A'}));
    }
}

TEST(RawFile, LongestStringIsAccepted) {
    RawFixture f = MakeRawFixture(123, 2);
    f.values.headerText = std::string(1023, 'h');
    PileRecord r;
    const ReadOutcome out = ReadRaw(f, r);
    ASSERT_TRUE(out) << out.status.reason;
    EXPECT_EQ(r.headerText.size(), 1023u);
}

TEST(RawFile, TruncationAnywhereIsRejected) {
    for (int layout : {123, 234}) {
        const auto bytes = MakeRawFixture(layout, 3).Build();
        for (size_t len = 0; len < bytes.size(); ++len) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(len));
            PileRecord r;
            const ReadOutcome out = r.ReadTestBytes(nullptr, cut, true);
            ASSERT_FALSE(out) << layout << " len " << len;
            ASSERT_NE(out.status.reason.find("ends early"), std::string::npos);
            ASSERT_EQ(r.sampleCount, 0);
        }
    }
}

TEST(RawFile, SuffixDecidesExactly) {
    const auto bytes = MakeRawFixture(234, 2).Build();
    test::WriteFile("a.kxd", bytes);
    test::WriteFile("b.KXD", bytes);
    test::WriteFile("c.kxd.bak", bytes);
    PileRecord r;
    EXPECT_TRUE(r.ReadTestFile(nullptr, "a.kxd"));
    EXPECT_FALSE(r.ReadTestFile(nullptr, "b.KXD"));
    EXPECT_FALSE(r.ReadTestFile(nullptr, "c.kxd.bak"));
    const ReadOutcome missing = r.ReadTestFile(nullptr, "missing.kxd");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.status.reason.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace kx
