// kxtool report --pdf: the print list's pages as a PDF, read back with poppler's pdfinfo and
// pdftotext (package poppler-utils), so the texts must be real text in the file.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "core/workspace_test_util.h"
#include "record/gbk.h"
#include "support/fixture_writer.h"
#include "support/kxtool_runner.h"
#include "support/pdf_text.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::PdfPages;
using test::PdfText;

using test::Gbk;

// Analysis files whose pile numbers are their names without suffix, on one site.
void WritePiles(const std::string& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        PileRecord r = test::ProjectRecord(name.substr(0, name.rfind('.')), 1024);
        r.site = Gbk("滨江工地");
        r.testDate = "2023-05-17";
        r.pileLength = 12.5f;
        r.waveSpeed = 3800.0f;
        test::WriteFile(dir + "/" + name, test::AnalysisFixture(r));
    }
}

size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

TEST(ReportCommand, PdfPagesCarryTitleFooterAndPileTexts) {
    const std::string dir = test::TestDir();
    WritePiles(dir, {"A1.kxc", "B2.kxc", "C3.kxc"});
    const std::string pdf = dir + "/out/report.pdf";
    fs::create_directories(dir + "/out");

    auto r = test::Kxtool({"report", dir + "/A1.kxc", dir + "/B2.kxc", dir + "/C3.kxc", "--pdf",
                           pdf, "--per-page", "2", "--title", "基桩检测报告", "--start-page", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PdfPages(pdf), 2);
    const std::string first = PdfText(pdf, 1);
    EXPECT_NE(first.find("基桩检测报告"), std::string::npos) << first;
    EXPECT_NE(first.find("第5页"), std::string::npos) << first;
    EXPECT_NE(first.find("工地:滨江工地"), std::string::npos) << first;
    EXPECT_NE(first.find("桩号:A1"), std::string::npos) << first;
    EXPECT_NE(first.find("桩号:B2"), std::string::npos) << first;
    EXPECT_NE(first.find("桩长(m):12.50"), std::string::npos) << first;
    EXPECT_NE(first.find("波速(m/s):3800.00"), std::string::npos) << first;
    EXPECT_EQ(first.find("桩号:C3"), std::string::npos) << first;
    const std::string second = PdfText(pdf, 2);
    EXPECT_NE(second.find("桩号:C3"), std::string::npos) << second;
    EXPECT_NE(second.find("第6页"), std::string::npos) << second;
    EXPECT_EQ(FilesIn(dir + "/out"), 1u);  // no temporary left beside it

    // Names footer and hidden items.
    r = test::Kxtool({"report", dir + "/A1.kxc", "--pdf", pdf, "--footer", "names", "--writer",
                      "张三", "--reporter", "李四", "--hide", "site,length", "--half-wave"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string names = PdfText(pdf, 1);
    EXPECT_NE(names.find("编写人:张三"), std::string::npos) << names;
    EXPECT_NE(names.find("报告人:李四"), std::string::npos) << names;
    EXPECT_EQ(names.find("工地:"), std::string::npos) << names;
    EXPECT_EQ(names.find("桩长(m)"), std::string::npos) << names;
    EXPECT_NE(names.find("桩号:A1"), std::string::npos) << names;
    EXPECT_EQ(names.find("第1页"), std::string::npos) << names;
}

TEST(ReportCommand, DirectoryGivesTheProjectListOrder) {
    const std::string dir = test::TestDir();
    WritePiles(dir, {"10.kxc", "2.kxc", "1.kxc"});
    test::WriteFile(dir + "/notes.txt", {1, 2, 3});
    const std::string pdf = test::TestDir("-out") + "/r.pdf";
    const auto r = test::Kxtool({"report", "--dir", dir, "--pdf", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf, 1);
    // Where "桩号:<number>" stands, the number not running on into more digits.
    auto pile = [&text](const std::string& number) {
        const std::string key = "桩号:" + number;
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
            const size_t end = at + key.size();
            if (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end]))) {
                return at;
            }
        }
        return std::string::npos;
    };
    const size_t one = pile("1");
    const size_t two = pile("2");
    const size_t ten = pile("10");
    ASSERT_NE(one, std::string::npos) << text;
    ASSERT_NE(two, std::string::npos) << text;
    ASSERT_NE(ten, std::string::npos) << text;
    EXPECT_LT(one, two);
    EXPECT_LT(two, ten);
}

TEST(ReportCommand, UnreadableInputWritesNothing) {
    const std::string dir = test::TestDir();
    WritePiles(dir, {"1.kxc"});
    test::WriteFile(dir + "/2.kxc", {'Q', 'R', 'V', 'A', 0, 0});
    const std::string out = test::TestDir("-out");
    const auto r =
        test::Kxtool({"report", dir + "/1.kxc", dir + "/2.kxc", "--pdf", out + "/r.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("kxtool: " + dir + "/2.kxc: "), std::string::npos) << r.err;
    EXPECT_EQ(FilesIn(out), 0u);

    // The old report stays as it was.
    test::WriteFile(out + "/r.pdf", {'o', 'l', 'd'});
    EXPECT_EQ(test::Kxtool({"report", "--dir", dir, "--pdf", out + "/r.pdf"}).status, 2);
    EXPECT_EQ(test::ReadFile(out + "/r.pdf"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(FilesIn(out), 1u);

    EXPECT_EQ(test::Kxtool({"report", "--dir", dir + "/none", "--pdf", out + "/r.pdf"}).status, 2);
}

TEST(ReportCommand, BadUsageIsRefused) {
    const std::string dir = test::TestDir();
    WritePiles(dir, {"1.kxc"});
    const std::string file = dir + "/1.kxc";
    const std::string pdf = dir + "/r.pdf";
    const std::vector<std::vector<std::string>> cases = {
        {"report", file, "--pdf", pdf, "--per-page", "15"},
        {"report", file, "--pdf", pdf, "--per-page", "0"},
        {"report", file, "--pdf", pdf, "--margins", "20"},
        {"report", file, "--pdf", pdf, "--margins", "20,abc"},
        {"report", file, "--pdf", pdf, "--footer", "none"},
        {"report", file, "--pdf", pdf, "--hide", "title"},
        {"report", file, "--dir", dir, "--pdf", pdf},
        {"report", "--pdf", pdf},
        {"report", file},
    };
    for (const auto& args : cases) {
        const auto r = test::Kxtool(args);
        EXPECT_EQ(r.status, 1) << args.back() << "\n" << r.err;
    }
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace kx
