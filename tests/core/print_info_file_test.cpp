#include "print/print_info_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/workspace_test_util.h"
#include "print/print_settings.h"
#include "support/fixture_writer.h"

namespace kx {
namespace {

PrintInfo SampleInfo() {
    PrintInfo info;
    info.checks = {1, 0, 1, 1, 0, 1, 1, 0, 1};
    info.pilesPerPage = 12;
    info.leftMarginMm = 25;
    info.rightMarginMm = -3;
    return info;
}

TEST(PrintInfoFile, TwelveLittleEndianWordsRoundTrip) {
    const PrintInfo info = SampleInfo();
    test::Bytes expected(false);
    for (int32_t c : info.checks) {
        expected.i32(c);
    }
    expected.i32(12).i32(25).i32(-3);
    EXPECT_EQ(PrintInfoBytes(info), expected.data);

    const std::string path = test::TestDir() + "/123.pr";
    ASSERT_TRUE(WritePrintInfoFile(path, info));
    EXPECT_EQ(test::ReadFile(path), expected.data);
    PrintInfo back;
    ASSERT_TRUE(ReadPrintInfoFile(path, back));
    EXPECT_EQ(back, info);

    // Bytes after the 48th are not part of the file's content.
    std::vector<uint8_t> longer = expected.data;
    longer.push_back(9);
    test::WriteFile(path, longer);
    back = PrintInfo{};
    ASSERT_TRUE(ReadPrintInfoFile(path, back));
    EXPECT_EQ(back, info);
}

TEST(PrintInfoFile, ShortOrUnreadableFileIsRefusedAndChangesNothing) {
    const std::string dir = test::TestDir();
    const PrintInfo before = SampleInfo();
    std::vector<uint8_t> bytes = PrintInfoBytes(PrintInfo{});
    bytes.resize(47);
    test::WriteFile(dir + "/short.pr", bytes);

    PrintInfo info = before;
    Status st = ReadPrintInfoFile(dir + "/short.pr", info);
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("47"), std::string::npos) << st.reason;
    EXPECT_NE(st.reason.find(dir + "/short.pr"), std::string::npos) << st.reason;
    EXPECT_EQ(info, before);

    st = ReadPrintInfoFile(dir + "/missing.pr", info);
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("无法读取打印信息文件"), std::string::npos) << st.reason;
    EXPECT_NE(st.reason.find(dir + "/missing.pr"), std::string::npos) << st.reason;
    EXPECT_EQ(info, before);

    st = ReadPrintInfoFile(dir, info);  // a directory
    EXPECT_FALSE(st);
    EXPECT_EQ(info, before);
}

TEST(PrintInfoFile, FailedSaveLeavesTheOldFile) {
    const std::string dir = test::TestDir();
    const std::string path = dir + "/keep.pr";
    ASSERT_TRUE(WritePrintInfoFile(path, SampleInfo()));
    const std::vector<uint8_t> old = test::ReadFile(path);
    // The target is a directory now: the write fails and leaves no temporary behind.
    const Status st = WritePrintInfoFile(dir, PrintInfo{});
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find(dir), std::string::npos) << st.reason;
    EXPECT_EQ(test::ReadFile(path), old);
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(PrintSettings, DefaultsAndReadings) {
    const PrintSettings s;
    EXPECT_EQ(s.title, "低应变桩基完整性检测附图");
    EXPECT_TRUE(s.showPileBottom && s.showPileTop && s.showPileShape && s.showDefect &&
                s.showSite && s.showPileNumber && s.showPileLength && s.showWaveSpeed &&
                s.showRuler);
    EXPECT_FALSE(s.halfWave);
    EXPECT_EQ(s.pilesPerPage, "10");
    EXPECT_EQ(s.leftMarginMm, "20");
    EXPECT_EQ(s.rightMarginMm, "20");
    EXPECT_EQ(s.startPage, 1);
    EXPECT_TRUE(s.pageNumberFooter);
    EXPECT_EQ(s.writer, "");
    EXPECT_EQ(s.reporter, "");

    // Integer value: blanks, sign, digits up to the first other character.
    const std::pair<const char*, int> perPage[] = {{"10", 10}, {" 7x", 7}, {"20.5", 14}, {"", 1},
                                                   {"abc", 1}, {"-3", 1},  {"+4", 4}};
    for (auto [text, value] : perPage) {
        PrintSettings t;
        t.pilesPerPage = text;
        EXPECT_EQ(PilesPerPageOf(t), value) << text;
    }
    // Decimal value of a margin; a text that is not a number counts 0.
    EXPECT_EQ(MarginMmOf("12.5"), 12.5);
    EXPECT_EQ(MarginMmOf("mm"), 0.0);
    EXPECT_EQ(MarginMmOf("1e999"), kMaxMarginMm);
}

}  // namespace
}  // namespace kx
