// kxtool report --docx/--figures: the Word report and its figures from the command line, in
// the same run as --pdf, and nothing written when an input or a target fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/record_test_util.h"
#include "core/workspace_test_util.h"
#include "record/gbk.h"
#include "support/docx_reader.h"
#include "support/kxtool_runner.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> WritePiles(const std::string& dir, int n) {
    std::vector<std::string> paths;
    for (int k = 1; k <= n; ++k) {
        PileRecord r = test::ProjectRecord(std::to_string(k) + "#", 1024);
        Utf8ToGbk("滨江工地", r.site);
        r.pileLength = 12.5f;
        paths.push_back(
            test::WriteFile(dir + "/" + std::to_string(k) + ".kxc", test::AnalysisFixture(r)));
    }
    return paths;
}

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReportWordCommand, DocxFiguresAndPdfInOneRun) {
    const std::string dir = test::TestDir();
    WritePiles(dir, 23);
    const std::string out = test::TestDir("-out");
    test::WriteFile(out + "/img-stray.txt", {'x'});
    const auto r =
        test::Kxtool({"report", "--dir", dir, "--per-page", "10", "--docx", out + "/r.docx",
                      "--figures", out + "/img", "--pdf", out + "/r.pdf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Names(out + "/img"), (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_TRUE(fs::exists(out + "/r.pdf"));

    const test::DocxParts docx = test::ReadDocx(out + "/r.docx");
    ASSERT_EQ(docx.error, "");
    const auto rows = test::TableTexts(docx.Document());
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(rows[1][1], "1#");
    EXPECT_EQ(rows[23][1], "23#");
    EXPECT_EQ(rows[23][3], "12.50");
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 3u);
    // The document holds the very figures written beside it, in order.
    for (int w = 1; w <= 3; ++w) {
        const std::string name = std::to_string(w) + ".jpg";
        EXPECT_EQ(docx.members.at("word/media/image" + name), test::FileText(out + "/img/" + name));
    }

    // Fourteen per figure: two figures, and only the document, no figure directory.
    const std::string alone = test::TestDir("-alone");
    ASSERT_EQ(
        test::Kxtool({"report", "--dir", dir, "--per-page", "14", "--docx", alone + "/r.docx"})
            .status,
        0);
    EXPECT_EQ(Names(alone), (std::vector<std::string>{"r.docx"}));
    EXPECT_EQ(test::CountOf(test::ReadDocx(alone + "/r.docx").Document(), "<wp:inline "), 2u);
}

TEST(ReportWordCommand, UnreadableInputOrUnwritableTargetWritesNothing) {
    const std::string dir = test::TestDir();
    auto paths = WritePiles(dir, 2);
    const std::string out = test::TestDir("-out");
    test::WriteFile(out + "/file", {'x'});

    test::WriteFile(dir + "/2.kxc", {'Q', 'R', 'V', 'A', 0, 0});
    auto r = test::Kxtool({"report", paths[0], paths[1], "--docx", out + "/r.docx", "--figures",
                           out + "/img", "--pdf", out + "/r.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("kxtool: " + paths[1] + ": "), std::string::npos) << r.err;
    EXPECT_EQ(Names(out), (std::vector<std::string>{"file"}));

    const std::vector<std::vector<std::string>> targets = {
        {"--docx", out + "/missing/r.docx", "--figures", out + "/img", "--pdf", out + "/r.pdf"},
        {"--docx", out + "/r.docx", "--figures", out + "/file", "--pdf", out + "/r.pdf"},
        {"--docx", out + "/r.docx", "--figures", out + "/a/b", "--pdf", out + "/r.pdf"},
        {"--docx", out + "/r.docx", "--figures", out + "/img", "--pdf", out + "/file/r.pdf"},
        {"--docx", out, "--pdf", out + "/r.pdf"},
    };
    for (const auto& t : targets) {
        std::vector<std::string> args = {"report", paths[0]};
        args.insert(args.end(), t.begin(), t.end());
        r = test::Kxtool(args);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find("kxtool: " + out), std::string::npos) << r.err;
        EXPECT_EQ(Names(out), (std::vector<std::string>{"file"}));
    }
}

}  // namespace
}  // namespace kx
