// Importing a site directory of raw files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/workspace_test_util.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::Harness;
using test::RowNames;
using test::TestDir;
using Outcome = ImportedFile::Outcome;

std::vector<uint8_t> RawBytes(const std::string& pileNumber) {
    test::RawFixture f = test::MakeRawFixture(234, 32);
    f.values.pileNumber = pileNumber;
    return f.Build();
}

// What the import writes for a raw file: the record as read, class I when it had none.
std::vector<uint8_t> ConvertedBytes(const std::string& rawPath) {
    PileRecord r;
    EXPECT_TRUE(r.ReadTestFile(nullptr, rawPath));
    if (r.integrityClass.empty())
        r.integrityClass = "I";
    return r.AnalysisFileBytes();
}

class Import : public ::testing::Test {
protected:
    void SetUp() override { dir = TestDir(); }
    ImportReport Run() {
        h.prompts.folders.push_back(dir);
        ImportReport r = h.ws.ImportRawData();
        h.ws.WaitUntilLoaded();
        return r;
    }
    std::string dir;
    Harness h;
};

TEST_F(Import, RawFileAloneIsConvertedAndListedOnce) {
    test::WriteFile(dir + "/5.kxd", RawBytes("5"));
    const auto raw = test::ReadFile(dir + "/5.kxd");
    const ImportReport report = Run();
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].outcome, Outcome::Converted);
    EXPECT_EQ(test::ReadFile(dir + "/5.kxc"), ConvertedBytes(dir + "/5.kxd"));
    EXPECT_EQ(test::ReadFile(dir + "/5.kxd"), raw);  // untouched, byte for byte
    ASSERT_EQ(RowNames(h.ws), std::vector<std::string>{"5.kxc"});
    EXPECT_EQ(h.ws.Rows()[0].type, "分析文件");
    EXPECT_FALSE(h.ws.Rows()[0].printed);
    EXPECT_EQ(h.ws.m_filePaths, std::vector<std::string>{dir + "/5.kxc"});
    EXPECT_EQ(h.Record(0).pileNumber, "5");
    EXPECT_TRUE(h.Record(0).integrated);  // the loader integrated it in memory
    EXPECT_EQ(h.views.allRows, 1);
    EXPECT_TRUE(h.prompts.questions.empty());
}

TEST_F(Import, EachAnswerToTheOverwriteQuestion) {
    struct Case {
        OverwriteAnswer first;
        int questions;  // how many of the two existing files are asked about
        Outcome outcomeFirst, outcomeSecond;
    } cases[] = {
        {OverwriteAnswer::Yes, 2, Outcome::Replaced, Outcome::Kept},
        {OverwriteAnswer::No, 2, Outcome::Kept, Outcome::Kept},
        {OverwriteAnswer::YesToAll, 1, Outcome::Replaced, Outcome::Replaced},
        {OverwriteAnswer::NoToAll, 1, Outcome::Kept, Outcome::Kept},
        {OverwriteAnswer::Closed, 2, Outcome::Kept, Outcome::Kept},
    };
    const std::vector<uint8_t> oldKxc = test::AnalysisFixture(test::ProjectRecord("old"));
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.first));
        dir = TestDir();
        for (const char* n : {"5", "6"}) {
            test::WriteFile(dir + "/" + n + ".kxd", RawBytes(n));
            test::WriteFile(dir + "/" + n + ".kxc", oldKxc);
        }
        h.prompts.Forget();
        h.prompts.overwrite = {c.first, OverwriteAnswer::No};
        const ImportReport report = Run();
        ASSERT_EQ(report.files.size(), 2u);
        EXPECT_EQ(h.prompts.questions.size(), static_cast<size_t>(c.questions));
        const std::string firstName = fs::path(report.files[0].analysisPath).filename().string();
        EXPECT_EQ(h.prompts.questions[0], "文件" + firstName + "已经存在是否覆盖");
        const Outcome outcomes[] = {c.outcomeFirst, c.outcomeSecond};
        for (int k = 0; k < 2; ++k) {
            const ImportedFile& f = report.files[static_cast<size_t>(k)];
            EXPECT_EQ(f.outcome, outcomes[k]) << f.rawPath;
            EXPECT_EQ(test::ReadFile(f.analysisPath),
                      outcomes[k] == Outcome::Kept ? oldKxc : ConvertedBytes(f.rawPath));
        }
        std::vector<std::string> rows = RowNames(h.ws);
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, (std::vector<std::string>{"5.kxc", "6.kxc"}));  // one row each
    }
}

TEST_F(Import, BlanketAnswerLastsForOneImportOnly) {
    test::WriteFile(dir + "/5.kxd", RawBytes("5"));
    test::WriteFile(dir + "/5.kxc", {1});
    h.prompts.overwrite = {OverwriteAnswer::NoToAll};
    Run();
    h.prompts.overwrite = {OverwriteAnswer::No};
    Run();
    EXPECT_EQ(h.prompts.questions.size(), 2u);
}

TEST_F(Import, OtherSuffixesAndDirectoriesAreIgnored) {
    test::WriteFile(dir + "/1.kxd", RawBytes("1"));
    test::WriteFile(dir + "/2.KXD", RawBytes("2"));
    test::WriteFile(dir + "/3.txt", {1, 2});
    test::WriteFile(dir + "/kxd", {1, 2});
    fs::create_directories(dir + "/sub.kxd");
    fs::create_directories(dir + "/sub2.kxc");
    fs::create_directories(dir + "/plain");
    test::WriteFile(dir + "/plain/4.kxd", RawBytes("4"));
    Run();
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"1.kxc"});
    EXPECT_FALSE(fs::exists(dir + "/2.kxc"));
    EXPECT_FALSE(fs::exists(dir + "/plain/4.kxc"));
    EXPECT_TRUE(fs::is_directory(dir + "/sub.kxd"));
}

TEST_F(Import, UnreadableRawFileIsReportedAndNothingIsWrittenForIt) {
    test::WriteFile(dir + "/1.kxd", RawBytes("1"));
    std::vector<uint8_t> bad = RawBytes("2");
    bad[0] = 'X';  // wrong magic
    test::WriteFile(dir + "/2.kxd", bad);
    test::WriteFile(dir + "/3.kxd", {'Q', 'R'});  // truncated
    const ImportReport report = Run();
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"1.kxc"});
    EXPECT_FALSE(fs::exists(dir + "/2.kxc"));
    EXPECT_FALSE(fs::exists(dir + "/3.kxc"));
    int unreadable = 0;
    for (const ImportedFile& f : report.files) {
        if (f.outcome == Outcome::Unreadable) {
            ++unreadable;
            EXPECT_FALSE(f.reason.empty());
        }
    }
    EXPECT_EQ(unreadable, 2);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    const std::string& m = h.prompts.messages[0];
    EXPECT_EQ(m.rfind("以下原始文件未能转换：", 0), 0u);
    EXPECT_NE(m.find("2.kxd: 不是桩基检测数据文件"), std::string::npos);
    EXPECT_NE(m.find("3.kxd: "), std::string::npos);
}

TEST_F(Import, CancelledFolderChangesNothing) {
    test::WriteProject(dir, {"1.kxc"});
    h.OpenLoaded(dir);
    h.prompts.folders.push_back(std::nullopt);
    const ImportReport report = h.ws.ImportRawData();
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"无效的目录，请重新选择工地目录！"});
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"1.kxc"});
}

TEST_F(Import, UnsavedChangesAreOfferedForSavingFirst) {
    const std::string project = TestDir("-project");
    test::WriteProject(project, {"1.kxc", "2.kxc"});
    h.OpenLoaded(project);
    h.ws.OnFileRowSelected(1);
    h.views.pages.remarks = "edited before the import";
    test::WriteFile(dir + "/5.kxd", RawBytes("5"));
    h.prompts.yesNo.push_back(true);
    Run();
    EXPECT_TRUE(h.prompts.SaidPrompt());
    PileRecord saved;
    ASSERT_TRUE(saved.ReadTestFile(nullptr, project + "/2.kxc"));
    EXPECT_EQ(saved.remarks, "edited before the import");
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"5.kxc"});
    EXPECT_TRUE(h.ws.m_currentPath.empty());
}

// The import in its three steps, as the window runs it: stopped by 取消 after the second of
// four files, every file is converted whole or not touched, the rows listed during the
// conversion are those the finished import lists, and no staged file is left behind.
TEST_F(Import, StoppedConversionKeepsWholeFilesAndTouchesTheRest) {
    for (const char* n : {"1", "2", "3", "4"}) {
        test::WriteFile(dir + "/" + n + ".kxd", RawBytes(n));
    }
    test::WriteFile(dir + "/9.kxc", RawBytes("9"));  // an analysis file already there
    struct StopAfterTwo : RawImportHost {
        Workspace* ws = nullptr;
        size_t done = 0;
        std::vector<size_t> totals;
        OverwriteAnswer AskOverwrite(const std::string&) override { return OverwriteAnswer::No; }
        void Tell(const std::string&) override {}
        void Converted(const ImportedFile& f) override { ws->ListImportedFile(f.analysisPath); }
        void Advance(size_t k, size_t total) override {
            done = k;
            totals.push_back(total);
        }
        bool Cancelled() const override { return done >= 2; }
    } host;
    host.ws = &h.ws;
    const std::optional<RawImportJob> job = h.ws.BeginImport(dir);
    ASSERT_TRUE(job);
    EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"9.kxc"});
    ASSERT_EQ(job->rawNames.size(), 4u);  // in the directory's order
    auto kxc = [&](size_t k) {
        const std::string& raw = job->rawNames[k];
        return raw.substr(0, raw.size() - 3) + "kxc";
    };
    RawImportResult result = ConvertRawFiles(*job, host);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(host.totals, (std::vector<size_t>{4, 4}));
    const std::vector<std::string> rows{"9.kxc", kxc(0), kxc(1)};
    EXPECT_EQ(RowNames(h.ws), rows);
    const ImportReport report = h.ws.FinishImport(std::move(result));
    h.ws.WaitUntilLoaded();
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(report.cancelled);
    ASSERT_EQ(report.files.size(), 2u);
    EXPECT_EQ(RowNames(h.ws), rows);
    for (size_t k : {0, 1}) {
        EXPECT_EQ(test::ReadFile(dir + "/" + kxc(k)), ConvertedBytes(dir + "/" + job->rawNames[k]));
    }
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::vector<std::string> expected{"1.kxd", "2.kxd", "3.kxd", "4.kxd", "9.kxc", kxc(0), kxc(1)};
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(h.Record(1).pileNumber, kxc(0).substr(0, 1));
}

}  // namespace
}  // namespace kx
