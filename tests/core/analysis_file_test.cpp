#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>

#include "core/record_test_util.h"
#include "record/pile_record.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

TEST(AnalysisFile, WriteIsByteExactAndReadsBackEveryField) {
    for (int16_t n : {0, 1, 333, 1024}) {
        SCOPED_TRACE(n);
        const PileRecord rec = test::MakeFullRecord(n);
        ASSERT_TRUE(rec.WriteAnalysisFile("round.kxc"));
        const auto bytes = test::ReadFile("round.kxc");
        EXPECT_EQ(bytes, test::AnalysisFixture(rec));
        PileRecord back;
        const ReadOutcome out = back.ReadTestFile(nullptr, "round.kxc");
        ASSERT_TRUE(out) << out.status.reason;
        EXPECT_EQ(back, rec);  // every field and all ten slots
        // And writing what was read gives the same bytes again.
        EXPECT_EQ(back.AnalysisFileBytes(), bytes);
    }
}

TEST(AnalysisFile, EmptyStringsAndFullLengthGive42240Bytes) {
    PileRecord rec;
    std::memcpy(rec.magic.data(), "QRVA", 4);
    rec.integrityClass.clear();
    rec.sampleCount = 1024;
    const auto bytes = rec.AnalysisFileBytes();
    ASSERT_EQ(bytes.size(), 42240u);
    // The first of the twelve strings sits at offset 12 and is stored as n = 1 and a zero.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 12, bytes.begin() + 17),
              (std::vector<uint8_t>{1, 0, 0, 0, 0}));
    EXPECT_EQ(bytes, test::AnalysisFixture(rec));
}

TEST(AnalysisFile, DumpFilesHoldTheStackedWave) {
    PileRecord rec = test::MakeFullRecord(3);
    rec.waves[8] = {};
    rec.waves[8][0] = 1;
    rec.waves[8][1] = -2;
    rec.waves[8][2] = 3;
    ASSERT_TRUE(rec.WriteAnalysisFile("d.kxc"));
    EXPECT_EQ(test::FileText("保存文件后.txt"), "1,-2,3,");
    PileRecord back;
    ASSERT_TRUE(back.ReadTestFile(nullptr, "d.kxc"));
    EXPECT_EQ(test::FileText("读KXC文件后.txt"), "1,-2,3,");
}

TEST(AnalysisFile, WrongMagicClearsOwnerPath) {
    PileRecord rec = test::MakeFullRecord(4);
    std::memcpy(rec.magic.data(), "XXXX", 4);
    test::WriteFile("bad.kxc", test::AnalysisFixture(rec));
    PileRecord r;
    test::CountingOwner owner;
    EXPECT_FALSE(r.ReadTestFile(&owner, "bad.kxc"));
    EXPECT_EQ(owner.cleared, 1);
    EXPECT_EQ(r, test::DefaultsWithMagic({'X', 'X', 'X', 'X'}));
}

TEST(AnalysisFile, NonZeroBoolByteIsTrue) {
    PileRecord rec = test::MakeFullRecord(2);
    auto bytes = test::AnalysisFixture(rec);
    // instrFlag1 follows 12 + the eight strings + 52 bytes of numbers.
    size_t off = 12;
    for (const std::string* s : {&rec.headerText, &rec.testingUnit, &rec.tester, &rec.remarks,
                                 &rec.testDate, &rec.testTime, &rec.site, &rec.pileNumber})
        off += 4 + s->size() + 1;
    off += 4 + 4 + 2 + 4 + 2 + 2 + 24 + 1;  // up to instrFlag2
    ASSERT_EQ(bytes[off], 0);
    bytes[off] = 0x80;
    PileRecord r;
    ASSERT_TRUE(r.ReadTestBytes(nullptr, bytes, false));
    EXPECT_TRUE(r.instrFlag2);
}

TEST(AnalysisFile, RejectsCountsOutOfRangeAndTruncation) {
    const PileRecord rec = test::MakeFullRecord(3);
    const auto good = test::AnalysisFixture(rec);
    auto withFirstCount = [&](int32_t n) {
        auto b = good;
        std::memcpy(&b[12], &n, 4);
        return b;
    };
    auto withSampleCount = [&](int16_t n) {
        PileRecord r = rec;
        r.sampleCount = n;
        return test::AnalysisFixture(r);
    };
    const std::vector<std::vector<uint8_t>> bad = {
        withFirstCount(-1), withFirstCount(1025), withFirstCount(INT32_MIN),
        withSampleCount(-5), withSampleCount(1025), withSampleCount(INT16_MAX)};
    for (const auto& b : bad) {
        PileRecord r;
        const ReadOutcome out = r.ReadTestBytes(nullptr, b, false);
        EXPECT_FALSE(out);
        EXPECT_NE(out.status.reason.find("out of range"), std::string::npos) << out.status.reason;
        EXPECT_EQ(r, test::DefaultsWithMagic({'Q', 'R', 'V', 'A'}));
    }
    for (size_t len = 0; len < good.size(); ++len) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(len));
        PileRecord r;
        const ReadOutcome out = r.ReadTestBytes(nullptr, cut, false);
        ASSERT_FALSE(out) << len;
        ASSERT_EQ(r.sampleCount, 0);
    }
}

TEST(AnalysisFile, LongestStoredStringIsAccepted) {
    PileRecord rec = test::MakeFullRecord(1);
    rec.remarks = std::string(1023, 'r');  // stored as 1024 bytes with its zero
    ASSERT_TRUE(rec.WriteAnalysisFile("long.kxc"));
    PileRecord back;
    ASSERT_TRUE(back.ReadTestFile(nullptr, "long.kxc"));
    EXPECT_EQ(back.remarks, rec.remarks);
    rec.remarks.push_back('x');
    const Status st = rec.WriteAnalysisFile("long.kxc");
    EXPECT_FALSE(st);
    EXPECT_EQ(back.AnalysisFileBytes(), test::ReadFile("long.kxc"));
}

// A write that fails half-way (here: the file-size limit) leaves the old file as it was
// and no temporary behind.
TEST(AnalysisFile, FailedWriteLeavesOldFileIntact) {
    fs::create_directory("site");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    test::WriteFile("site/1.kxc", old);
    const PileRecord rec = test::MakeFullRecord(1024);

    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tiny = saved;
    tiny.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const Status st = rec.WriteAnalysisFile("site/1.kxc");
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("write error"), std::string::npos) << st.reason;
    EXPECT_EQ(test::ReadFile("site/1.kxc"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator("site"), fs::directory_iterator{}), 1);

    const Status noDir = rec.WriteAnalysisFile("missing-dir/1.kxc");
    EXPECT_FALSE(noDir);
    EXPECT_FALSE(noDir.reason.empty());
}

}  // namespace
}  // namespace kx
