#include <gtest/gtest.h>

#include "record/raw_file_writer.h"
#include "record/test_date.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

using test::MakeFullRecord;
using test::MakeRawFixture;

// GCC 12's SLP vectoriser drops the float rounding of two neighbouring double fields
// (x = float(x); y = float(y)) at -O2; the volatile keeps each rounding.
double ThroughFloat(double v) {
    volatile float f = static_cast<float>(v);
    return f;
}

// What the reader should give back for `rec` written in `layout`: the raw file carries no
// slot 9 and no cursor fields, layout 234 only four blows and no conclusion strings in 123,
// and coordinates at single precision.
PileRecord ExpectedAfterRoundTrip(PileRecord rec, int32_t layout, const RawFileStamp& stamp) {
    rec.formatVersion = layout;
    rec.testDate = FormatTestDate(stamp.julianDay);
    rec.testTime = FormatTestTime(stamp.millisOfDay);
    rec.waves[9].fill(0);
    if (layout == 234) {
        for (int s = 4; s < 8; ++s) {
            rec.waves[s].fill(0);
        }
    } else {
        const PileRecord defaults;
        rec.integrityClass = defaults.integrityClass;
        rec.concreteStrength = defaults.concreteStrength;
        rec.pileDiameter = defaults.pileDiameter;
        rec.instrumentNumber = defaults.instrumentNumber;
    }
    rec.longitude = ThroughFloat(rec.longitude);
    rec.latitude = ThroughFloat(rec.latitude);
    return rec;
}

TEST(RawFileWriter, WhatItWritesTheReaderReadsBackInBothLayouts) {
    const RawFileStamp stamp{2451545, 3723004};
    for (int32_t layout : {123, 234}) {
        for (int16_t n : {0, 1, 300, 1024}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << ", " << n << " samples");
            PileRecord rec = MakeFullRecord(n);
            rec.formatVersion = layout;
            std::vector<uint8_t> bytes;
            ASSERT_TRUE(RawFileBytes(rec, stamp, bytes));
            PileRecord back;
            const ReadOutcome read = back.ReadTestBytes(nullptr, bytes, true);
            ASSERT_TRUE(read) << read.status.reason;
            EXPECT_TRUE(read.messages.empty());
            EXPECT_TRUE(back == ExpectedAfterRoundTrip(rec, layout, stamp));
            EXPECT_EQ(back.testDate, "2000-01-01");
            EXPECT_EQ(back.testTime, "01:02:03");
        }
    }
}

// The test fixtures lay the format out independently of the reader; a file read from one and
// written again must have the fixture's length and read back to the same record.
TEST(RawFileWriter, RewritingAFixtureKeepsItsLayout) {
    for (int32_t layout : {123, 234}) {
        SCOPED_TRACE(layout);
        const test::RawFixture f = MakeRawFixture(layout, 57);
        const std::vector<uint8_t> original = f.Build();
        PileRecord rec;
        ASSERT_TRUE(rec.ReadTestBytes(nullptr, original, true));
        std::vector<uint8_t> rewritten;
        ASSERT_TRUE(RawFileBytes(rec, {f.julianDay, f.millis}, rewritten));
        EXPECT_EQ(rewritten.size(), original.size());
        PileRecord again;
        ASSERT_TRUE(again.ReadTestBytes(nullptr, rewritten, true));
        EXPECT_TRUE(again == rec);
        // Numbers are big-endian: the layout code sits at offset 4.
        EXPECT_EQ(rewritten[6], layout >> 8);
        EXPECT_EQ(rewritten[7], layout & 0xFF);
    }
}

TEST(RawFileWriter, RefusesRecordsTheFormatCannotHold) {
    struct Case {
        const char* what;
        void (*spoil)(PileRecord&);
    };
    const Case cases[] = {
        {"other layout", [](PileRecord& r) { r.formatVersion = 124; }},
        {"negative sample count", [](PileRecord& r) { r.sampleCount = -1; }},
        {"too many samples", [](PileRecord& r) { r.sampleCount = 1025; }},
        {"long header string", [](PileRecord& r) { r.site.assign(1024, 'x'); }},
        {"long conclusion string", [](PileRecord& r) { r.pileDiameter.assign(1024, 'x'); }},
        {"conclusion area overflow",
         [](PileRecord& r) {
             r.integrityClass.assign(500, 'x');
             r.instrumentNumber.assign(492, 'x');
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PileRecord rec = MakeFullRecord(16);
        c.spoil(rec);
        std::vector<uint8_t> out{1, 2, 3};
        const Status st = RawFileBytes(rec, {}, out);
        EXPECT_FALSE(st);
        EXPECT_FALSE(st.reason.empty());
        EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3}));
    }
    // Exactly filling the area is fine, and layout 123 does not store the conclusion at all.
    PileRecord full = MakeFullRecord(16);
    full.integrityClass.assign(500, 'x');
    full.concreteStrength.clear();
    full.pileDiameter.clear();
    full.instrumentNumber.assign(491, 'x');
    std::vector<uint8_t> out;
    EXPECT_TRUE(RawFileBytes(full, {}, out));
    PileRecord back;
    const ReadOutcome read = back.ReadTestBytes(nullptr, out, true);
    EXPECT_TRUE(read);
    EXPECT_TRUE(read.messages.empty());
    full.formatVersion = 123;
    full.instrumentNumber.assign(1024, 'x');
    EXPECT_TRUE(RawFileBytes(full, {}, out));
}

TEST(RawFileWriter, GregorianDatesBecomeTheJulianDaysTheReaderTurnsBack) {
    EXPECT_EQ(GregorianToJulianDay(2000, 1, 1), 2451545u);
    EXPECT_EQ(GregorianToJulianDay(2018, 6, 28), 2458298u);
    EXPECT_EQ(GregorianToJulianDay(1582, 10, 15), 2299161u);
    for (uint32_t jd = 2299161; jd < 2299161 + 200000; jd += 997) {
        const CalendarDate d = JulianDayToDate(jd);
        EXPECT_EQ(GregorianToJulianDay(static_cast<int>(d.year), d.month, d.day), jd);
    }
}

TEST(RawFileWriter, WritesTheFileOrNothing) {
    PileRecord rec = MakeFullRecord(8);
    ASSERT_TRUE(WriteRawFile("ok.kxd", rec, {2458298, 0}));
    PileRecord back;
    EXPECT_TRUE(back.ReadTestFile(nullptr, "ok.kxd"));
    rec.formatVersion = 1;
    EXPECT_FALSE(WriteRawFile("bad.kxd", rec, {}));
    EXPECT_TRUE(test::ReadFile("bad.kxd").empty());
    EXPECT_FALSE(WriteRawFile("no-such-dir/x.kxd", MakeFullRecord(8), {}));
}

}  // namespace
}  // namespace kx
