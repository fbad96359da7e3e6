// Adding and removing data rows, the batch updates, Save and Save As, and the print list.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/workspace_test_util.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::Harness;
using test::ProjectRecord;
using test::RowNames;
using test::TestDir;
using test::WriteProject;

class Editing : public ::testing::Test {
protected:
    void SetUp() override {
        dir = TestDir();
        WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
        h.OpenLoaded(dir);
    }
    PileRecord OnDisk(const std::string& name) {
        PileRecord r;
        EXPECT_TRUE(r.ReadTestFile(nullptr, dir + "/" + name));
        return r;
    }
    // Every row, path and record still describe the same file.
    void ExpectInStep() {
        ASSERT_EQ(h.ws.m_filePaths.size(), h.ws.Rows().size());
        ASSERT_EQ(h.ws.m_records.size(), h.ws.Rows().size());
        for (size_t i = 0; i < h.ws.Rows().size(); ++i) {
            const std::string& name = h.ws.Rows()[i].name;
            EXPECT_EQ(h.ws.m_filePaths[i], dir + "/" + name);
            EXPECT_EQ(h.Record(i).pileNumber, name.substr(0, name.size() - 4));
        }
    }
    std::string dir;
    Harness h;
};

TEST_F(Editing, AddingTheSamePathTwiceSelectsTheFirstRow) {
    const std::string extra = TestDir("-extra");
    PileRecord unintegrated = ProjectRecord("9");
    unintegrated.integrated = false;
    test::WriteFile(extra + "/9.kxc", test::AnalysisFixture(unintegrated));

    h.prompts.openFiles.push_back(extra + "/9.kxc");
    h.ws.AddDataFile();
    EXPECT_EQ(RowNames(h.ws), (std::vector<std::string>{"1.kxc", "2.kxc", "3.kxc", "9.kxc"}));
    EXPECT_EQ(h.ws.m_records.size(), 4u);
    EXPECT_EQ(h.Record(3), unintegrated);  // taken as read, not integrated
    EXPECT_EQ(h.views.allRows, 4);

    h.prompts.openFiles.push_back(dir + "/2.kxc");
    h.ws.AddDataFile();
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"文件已经存在！"});
    EXPECT_EQ(h.ws.Rows().size(), 4u);
    EXPECT_EQ(h.ws.m_currentIndex, 1);
    EXPECT_EQ(h.views.shownSelection, 1);
    EXPECT_EQ(h.views.pages.pileNumber, "2");

    h.prompts.openFiles.push_back(std::nullopt);  // cancelled
    h.ws.AddDataFile();
    EXPECT_EQ(h.ws.Rows().size(), 4u);
}

TEST_F(Editing, RemovingTheMiddleRowMakesTheThirdCurrentWithoutPrompt) {
    h.ws.OnFileRowSelected(0);
    h.ws.OnFileRowSelected(1);
    h.views.pages.remarks = "unsaved edit of the removed record";
    h.ws.RemoveDataRow(1);
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_EQ(RowNames(h.ws), (std::vector<std::string>{"1.kxc", "3.kxc"}));
    ExpectInStep();
    EXPECT_EQ(h.ws.m_currentIndex, 1);
    EXPECT_EQ(h.ws.m_currentPath, dir + "/3.kxc");
    EXPECT_EQ(h.views.allRows, 2);
    EXPECT_TRUE(fs::exists(dir + "/2.kxc"));  // the file stays
}

TEST_F(Editing, RemovingTheLastRowsNeverLeavesADanglingSelection) {
    h.ws.RemoveDataRow(-1);  // nothing selected: nothing happens
    h.ws.RemoveDataRow(3);
    EXPECT_EQ(h.ws.Rows().size(), 3u);

    h.ws.OnFileRowSelected(2);
    h.ws.RemoveDataRow(2);
    EXPECT_EQ(h.ws.m_currentIndex, 1);  // the new last row
    EXPECT_EQ(h.ws.m_currentPath, dir + "/2.kxc");
    h.ws.RemoveDataRow(1);
    h.ws.RemoveDataRow(0);
    EXPECT_TRUE(h.ws.Rows().empty());
    EXPECT_TRUE(h.ws.m_currentPath.empty());
    EXPECT_EQ(h.ws.m_currentIndex, -1);
    EXPECT_EQ(h.ws.CurrentRecord(), nullptr);
    h.prompts.Forget();
    EXPECT_FALSE(h.ws.Save());
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"请先添加文件！"});
}

TEST_F(Editing, SavedRowsFollowTheirFilesWhenARowGoes) {
    h.ws.m_savedRows = {0, 2};
    h.ws.RemoveDataRow(0);
    EXPECT_EQ(h.ws.m_savedRows, std::vector<int32_t>{1});
}

TEST_F(Editing, BatchUpdatesWriteEveryFileIncludingRecordsNeverShown) {
    struct Case {
        const char* what;
        void (Workspace::*update)();
        std::function<void(PageTexts&)> type;
        std::function<void(const PileRecord&)> check;
    } cases[] = {
        {"site and unit", &Workspace::UnifySiteAndUnit,
         [](PageTexts& p) {
             p.site = "New site";
             p.testingUnit = "New unit";
             p.concreteStrength = "not copied";
         },
         [](const PileRecord& r) {
             EXPECT_EQ(r.site, "New site");
             EXPECT_EQ(r.testingUnit, "New unit");
             EXPECT_EQ(r.concreteStrength, "C30");
         }},
        {"conclusion", &Workspace::UnifyConclusion,
         [](PageTexts& p) {
             p.concreteStrength = "C35";
             p.pileDiameter = "1000";
             p.integrityClass = "IV";
             p.site = "not copied";
         },
         [](const PileRecord& r) {
             EXPECT_EQ(r.concreteStrength, "C35");
             EXPECT_EQ(r.pileDiameter, "1000");
             EXPECT_EQ(r.integrityClass, "II");
             EXPECT_NE(r.site, "not copied");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (h.ws.CurrentRecord() != nullptr) {
            h.prompts.yesNo.push_back(false);  // the previous case's typing is not saved
        }
        h.OpenLoaded(dir);
        h.ws.OnFileRowSelected(0);
        h.Record(2).remarks = "in memory only";  // unsaved changes go to the file too
        h.prompts.Forget();
        c.type(h.views.pages);
        (h.ws.*c.update)();
        EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"修改成功！"});
        for (const char* name : {"1.kxc", "2.kxc", "3.kxc"}) {
            SCOPED_TRACE(name);
            c.check(OnDisk(name));
        }
        EXPECT_EQ(OnDisk("3.kxc").remarks, "in memory only");
    }
}

TEST_F(Editing, BatchStopsAtTheRecordThatCannotBeWritten) {
    const auto third = test::ReadFile(dir + "/3.kxc");
    // The second file's place is taken by a directory: it cannot be replaced.
    fs::remove(dir + "/2.kxc");
    fs::create_directory(dir + "/2.kxc");
    h.views.pages.site = "S";
    h.ws.UnifySiteAndUnit();
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_NE(h.prompts.messages[0].find("2.kxc"), std::string::npos);
    EXPECT_NE(h.prompts.messages[0].find("这是一个文件夹"), std::string::npos);
    EXPECT_EQ(OnDisk("1.kxc").site, "S");
    EXPECT_EQ(test::ReadFile(dir + "/3.kxc"), third);
    for (const auto& e : fs::directory_iterator(dir)) {
        EXPECT_EQ(e.path().filename().string().rfind(".kx-write", 0), std::string::npos);
    }
}

TEST_F(Editing, BatchLeavesFilesThatDidNotReadAlone) {
    const std::vector<uint8_t> junk = {'J', 'U', 'N', 'K', 1, 2, 3};
    test::WriteFile(dir + "/2.kxc", junk);
    h.OpenLoaded(dir);
    h.views.pages.site = "S";
    h.ws.UnifySiteAndUnit();
    EXPECT_EQ(test::ReadFile(dir + "/2.kxc"), junk);
    EXPECT_EQ(OnDisk("3.kxc").site, "S");
    ASSERT_EQ(h.prompts.messages.size(), 2u);
    EXPECT_NE(h.prompts.messages[0].find("2.kxc"), std::string::npos);
    EXPECT_EQ(h.prompts.messages[1], "修改成功！");
}

TEST_F(Editing, FailedSaveIsReportedAndStillPromptsLater) {
    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "edited";
    fs::remove(dir + "/1.kxc");
    fs::create_directory(dir + "/1.kxc");
    EXPECT_FALSE(h.ws.Save());
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_NE(h.prompts.messages[0].find("这是一个文件夹"), std::string::npos);
    h.prompts.yesNo.push_back(false);
    h.ws.OnFileRowSelected(1);
    EXPECT_TRUE(h.prompts.SaidPrompt());
}

// "是" at the prompt with a save that fails does not leave the record: the edits stay in the
// window, and closing stays possible only once the user says "否".
TEST_F(Editing, FailedSaveAtThePromptKeepsTheRecordAndTheWindow) {
    h.ws.OnFileRowSelected(0);
    h.ws.OnFileRowSelected(1);
    h.views.pages.remarks = "edited";
    fs::remove(dir + "/2.kxc");
    fs::create_directory(dir + "/2.kxc");
    h.prompts.yesNo.push_back(true);
    h.ws.OnFileRowSelected(2);
    EXPECT_EQ(h.ws.m_currentIndex, 1);
    EXPECT_EQ(h.views.shownSelection, 1);
    EXPECT_EQ(h.views.pages.remarks, "edited");
    EXPECT_TRUE(h.ws.m_savedRows.empty());

    h.prompts.yesNo.push_back(true);
    EXPECT_FALSE(h.ws.OnMainWindowClose());
    EXPECT_TRUE(h.ws.m_records.size() == 3);
    h.prompts.yesNo.push_back(false);
    EXPECT_TRUE(h.ws.OnMainWindowClose());
    EXPECT_EQ(h.prompts.Count("是否保存修改过的数据？"), 3);
}

// 取消 at the save prompt (also Esc): the pile stays shown with its edits, nothing is written,
// whether another row, the close box or another project was asked for.
TEST_F(Editing, CancelAtTheSavePromptStaysWithTheEdits) {
    const auto twoBytes = test::ReadFile(dir + "/2.kxc");
    struct Case {
        const char* leaving;
        std::function<void()> leave;
        std::function<void()> stillThere;
    } cases[] = {
        {"another row", [&] { h.ws.OnFileRowSelected(2); },
         [&] { EXPECT_EQ(h.views.shownSelection, 1); }},
        {"the window", [&] { EXPECT_FALSE(h.ws.OnMainWindowClose()); }, [] {}},
        {"another project", [&] { h.ws.OpenProjectAt(dir); },
         [&] { EXPECT_EQ(h.ws.m_records.size(), 3u); }},
    };
    h.ws.OnFileRowSelected(0);
    h.ws.OnFileRowSelected(1);
    h.views.pages.remarks = "edited";
    h.Record(1).pileLength = 99;
    for (const Case& c : cases) {
        h.prompts.saveAnswers.push_back(SaveAnswer::Cancel);
        c.leave();
        EXPECT_EQ(h.ws.m_currentIndex, 1) << c.leaving;
        EXPECT_EQ(h.views.pages.remarks, "edited") << c.leaving;
        EXPECT_EQ(h.Record(1).pileLength, 99) << c.leaving;  // not restored
        EXPECT_EQ(h.views.restoreWaveCalls, 0) << c.leaving;
        EXPECT_EQ(test::ReadFile(dir + "/2.kxc"), twoBytes) << c.leaving;
        c.stillThere();
    }
    EXPECT_EQ(h.prompts.Count("是否保存修改过的数据？"), 3);
    // 否 then lets it go, undone.
    h.prompts.saveAnswers.push_back(SaveAnswer::Discard);
    h.ws.OnFileRowSelected(2);
    EXPECT_EQ(h.ws.m_currentIndex, 2);
    EXPECT_NE(h.Record(1).pileLength, 99);
}

// A file another program replaced after it was read is not written over unasked: Save asks,
// the batch updates leave it alone, and selecting it says so.
TEST_F(Editing, FileReplacedOnDiskIsNotWrittenOverUnasked) {
    h.ws.OnFileRowSelected(0);
    PileRecord theirs = ProjectRecord("theirs");
    const std::string path = dir + "/1.kxc";
    fs::remove(path);
    test::WriteFile(path, test::AnalysisFixture(theirs));
    const auto theirBytes = test::ReadFile(path);

    h.views.pages.remarks = "mine";
    h.prompts.yesNo.push_back(false);
    EXPECT_FALSE(h.ws.Save());
    EXPECT_EQ(h.prompts.questions.back(), "文件1.kxc在读取后已被替换，是否仍然覆盖？");
    EXPECT_EQ(test::ReadFile(path), theirBytes);

    h.views.pages.site = "S";
    h.ws.UnifySiteAndUnit();
    EXPECT_EQ(test::ReadFile(path), theirBytes);
    EXPECT_EQ(OnDisk("2.kxc").site, "S");
    EXPECT_EQ(h.prompts.Count("以下文件在读取后已被替换，没有修改：\n1.kxc"), 1);

    h.prompts.Forget();
    fs::remove(dir + "/3.kxc");
    h.prompts.yesNo.push_back(false);  // the unsaved "mine" is let go
    h.ws.OnFileRowSelected(2);
    EXPECT_EQ(h.prompts.messages,
              std::vector<std::string>{"文件3.kxc已被删除，显示的是先前读取的数据。"});
    EXPECT_EQ(h.views.pages.pileNumber, "3");
    // Saving a deleted file writes it again; saving after "是" replaces the other file.
    h.prompts.Forget();
    EXPECT_TRUE(h.ws.Save());
    EXPECT_EQ(h.prompts.messages, (std::vector<std::string>{
                                      "文件3.kxc在读取后已被删除，现已重新保存。", "保存成功！"}));
    EXPECT_EQ(OnDisk("3.kxc").pileNumber, "3");
    h.ws.OnFileRowSelected(0);
    h.prompts.yesNo.push_back(true);
    EXPECT_TRUE(h.ws.Save());
    EXPECT_EQ(OnDisk("1.kxc").pileNumber, "1");
}

// 另存为: the suffix is added to a name typed without it (the readers know a file by it), and a
// copy that lands in the project's directory joins the list; over another listed file it
// becomes that row's record.
TEST_F(Editing, SaveAsAddsTheSuffixAndListsACopyInTheProject) {
    fs::create_directories(dir + "/elsewhere");
    struct Case {
        std::string typed;
        std::string written;
        std::vector<std::string> rows;
    } cases[] = {
        {dir + "/elsewhere/away", dir + "/elsewhere/away.kxc", {"1.kxc", "2.kxc", "3.kxc"}},
        {dir + "/copy", dir + "/copy.kxc", {"1.kxc", "2.kxc", "3.kxc", "copy.kxc"}},
        {dir + "/copy.kxc", dir + "/copy.kxc", {"1.kxc", "2.kxc", "3.kxc", "copy.kxc"}},
        {dir + "/3.kxc", dir + "/3.kxc", {"1.kxc", "2.kxc", "3.kxc", "copy.kxc"}},
    };
    h.ws.OnFileRowSelected(1);
    h.views.pages.remarks = "copy";
    for (const Case& c : cases) {
        h.prompts.saveFiles.push_back(c.typed);
        EXPECT_TRUE(h.ws.SaveAs()) << c.typed;
        EXPECT_EQ(h.prompts.saveInitialNames.back(), dir + "/");
        EXPECT_TRUE(h.prompts.messages.empty());
        PileRecord copy;
        ASSERT_TRUE(copy.ReadTestFile(nullptr, c.written).status) << c.written;
        EXPECT_EQ(copy.remarks, "copy");
        EXPECT_EQ(copy.pileNumber, "2");
        EXPECT_EQ(RowNames(h.ws), c.rows) << c.typed;
    }
    EXPECT_FALSE(fs::exists(dir + "/copy"));
    // The listed copy and the row written over show what their files hold.
    EXPECT_EQ(h.ws.m_records.WaitFor(3)->remarks, "copy");
    EXPECT_EQ(h.ws.m_records.WaitFor(2)->pileNumber, "2");
    EXPECT_EQ(h.ws.m_currentIndex, 1);
}

TEST_F(Editing, AddToPrintListGivesEachSelectedRowItsOwnEntry) {
    h.ws.AddToPrintList({0});
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"请先添加文件！"});
    h.prompts.Forget();

    h.ws.OnFileRowSelected(0);
    h.ws.AddToPrintList({2, 0});
    EXPECT_EQ(h.ws.m_printList.printPaths,
              (std::vector<std::string>{dir + "/1.kxc", dir + "/3.kxc"}));
    EXPECT_EQ(h.ws.m_printList.printRecordIndexes, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(h.ws.m_printList.DisplayedName(1), "3.kxc");
    EXPECT_TRUE(h.ws.Rows()[0].printed);
    EXPECT_FALSE(h.ws.Rows()[1].printed);
    EXPECT_TRUE(h.ws.Rows()[2].printed);

    h.ws.AddToPrintList({0});
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"文件已在打印列表中！"});
    EXPECT_EQ(h.ws.m_printList.size(), 2u);
}

TEST_F(Editing, RebuildAfterRowChangesKeepsFullPathsSoDuplicatesStayRefused) {
    h.ws.OnFileRowSelected(2);
    h.ws.AddToPrintList({2});
    h.ws.RemoveDataRow(0);  // rebuild: 3.kxc is now row 1
    EXPECT_EQ(h.ws.m_printList.printPaths, std::vector<std::string>{dir + "/3.kxc"});
    EXPECT_EQ(h.ws.m_printList.printRecordIndexes, std::vector<int32_t>{1});
    h.ws.OnFileRowSelected(1);
    h.prompts.Forget();
    h.ws.AddToPrintList({1});
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"文件已在打印列表中！"});
    EXPECT_EQ(h.ws.m_printList.size(), 1u);

    const std::string extra = TestDir("-extra");
    WriteProject(extra, {"8.kxc"});
    h.prompts.openFiles.push_back(extra + "/8.kxc");
    h.ws.AddDataFile();
    EXPECT_EQ(h.ws.m_printList.printPaths, std::vector<std::string>{dir + "/3.kxc"});
}

TEST_F(Editing, PrintDialogRemovesOneEntryOrEmptiesTheListAndTheMarksFollow) {
    h.ws.OnFileRowSelected(0);
    h.ws.AddToPrintList({0, 1, 2});
    h.ws.RemovePrintListEntry(1);
    EXPECT_EQ(h.ws.m_printList.printPaths,
              (std::vector<std::string>{dir + "/1.kxc", dir + "/3.kxc"}));
    EXPECT_EQ(h.ws.m_printList.printRecordIndexes, (std::vector<int32_t>{0, 2}));
    EXPECT_TRUE(h.ws.Rows()[0].printed);
    EXPECT_FALSE(h.ws.Rows()[1].printed);
    EXPECT_TRUE(h.ws.Rows()[2].printed);
    h.ws.RemovePrintListEntry(7);  // no such entry
    EXPECT_EQ(h.ws.m_printList.size(), 2u);

    h.ws.ClearPrintList();
    EXPECT_TRUE(h.ws.m_printList.empty());
    for (const DataRow& row : h.ws.Rows()) {
        EXPECT_FALSE(row.printed);
    }
}

TEST_F(Editing, RemoveRowFromPrintList) {
    h.ws.OnFileRowSelected(0);
    h.ws.AddToPrintList({0, 1});
    h.ws.RemoveRowFromPrintList(2);  // not in the list: nothing
    h.ws.RemoveRowFromPrintList(-1);
    EXPECT_EQ(h.ws.m_printList.size(), 2u);
    h.ws.RemoveRowFromPrintList(0);
    EXPECT_EQ(h.ws.m_printList.printPaths, std::vector<std::string>{dir + "/2.kxc"});
    EXPECT_EQ(h.ws.m_printList.printRecordIndexes, std::vector<int32_t>{1});
    EXPECT_FALSE(h.ws.Rows()[0].printed);
    // Opening a project empties the print list.
    h.OpenLoaded(dir);
    EXPECT_TRUE(h.ws.m_printList.empty());
}

}  // namespace
}  // namespace kx
