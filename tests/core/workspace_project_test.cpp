// Opening a project, selecting rows with the change test and save prompt, and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "core/workspace_test_util.h"
#include "workspace/load_steps.h"
#include "workspace/project_files.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::Harness;
using test::ProjectRecord;
using test::RowNames;
using test::TestDir;
using test::WriteProject;

TEST(ProjectFiles, NumericNameValueAndTypeText) {
    struct Case {
        const char* path;
        int32_t value;
    } cases[] = {
        {"/d/10.kxc", 10},
        {"/d/a.kxc", 0},
        {"/d/-3.kxc", -3},
        {"/d/+4.kxc", 4},
        {"/d/12abc.kxc", 12},
        {"/d/7.5.kxc", 7},
        {"/d/x9.kxc", 0},
        {"/d/007.kxc", 7},
        {"/d/99999999999.kxc", 2147483647},
        {"/d.1/3", 3},
        {"/d/-99999999999.kxc", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumericNameValue(c.path), c.value) << c.path;
    }
    EXPECT_EQ(FileTypeText("/d/1.kxc"), "分析文件");
    EXPECT_EQ(FileTypeText("/d/1.kxd"), "原始文件");
    EXPECT_EQ(FileTypeText("/d/1.txt"), "txt");
    EXPECT_EQ(AnalysisPathFor("/d/5.kxd"), "/d/5.kxc");
    EXPECT_EQ(AnalysisPathFor("/d/a.b.kxc"), "/d/a.b.kxc");
    EXPECT_EQ(AnalysisPathFor("/d.x/noext"), "/d.x/noext.kxc");
}

TEST(ProjectFiles, SortIsStableForEqualValues) {
    std::vector<std::string> paths = {"/p/b.kxc", "/p/10.kxc", "/p/a.kxc", "/p/2x.kxc", "/p/2.kxc"};
    SortByNumericName(paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/b.kxc", "/p/a.kxc", "/p/2x.kxc", "/p/2.kxc",
                                               "/p/10.kxc"}));
}

TEST(ProjectFiles, ListsRegularFilesAndWhatLinksLeadTo) {
    const std::string dir = TestDir();
    test::WriteFile(dir + "/1.kxc", {1});
    fs::create_directory(dir + "/2.kxc");
    fs::create_symlink(dir + "/1.kxc", dir + "/3.kxc");    // a file: listed
    fs::create_symlink(dir + "/2.kxc", dir + "/4.kxc");    // a directory: not
    fs::create_symlink(dir + "/missing", dir + "/5.kxc");  // leads nowhere: not
    std::vector<std::string> names;
    ASSERT_TRUE(ListRegularFiles(dir, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"1.kxc", "3.kxc"}));
    EXPECT_FALSE(ListRegularFiles(dir + "/1.kxc", names));
    EXPECT_FALSE(ListRegularFiles(dir + "/none", names));
    EXPECT_TRUE(names.empty());
}

TEST(OpenProject, ListsAnalysisFilesInNumericOrderAndLoadsThem) {
    const std::string dir = TestDir();
    WriteProject(dir, {"10.kxc", "9.kxc", "a.kxc", "2.kxc"});
    test::WriteFile(dir + "/3.kxd", {1, 2, 3});
    test::WriteFile(dir + "/4.txt", {1});
    fs::create_directory(dir + "/5.kxc");  // a directory, whatever its name

    Harness h;
    h.OpenLoaded(dir);
    EXPECT_EQ(RowNames(h.ws), (std::vector<std::string>{"a.kxc", "2.kxc", "9.kxc", "10.kxc"}));
    for (const DataRow& r : h.ws.Rows()) {
        EXPECT_EQ(std::string(r.PrintedText()), "否");
        EXPECT_EQ(r.type, "分析文件");
    }
    ASSERT_EQ(h.ws.m_records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(h.ws.m_filePaths[i], dir + "/" + h.ws.Rows()[i].name);
        EXPECT_EQ(h.Record(i).pileNumber,
                  h.ws.Rows()[i].name.substr(0, h.ws.Rows()[i].name.size() - 4));
    }
    EXPECT_EQ(h.views.allRows, 4);
    EXPECT_EQ(h.ws.g_selectionCount, 0);
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST(OpenProject, CancelledOrInvalidFolderKeepsTheProject) {
    const std::string dir = TestDir();
    WriteProject(dir, {"1.kxc", "2.kxc"});
    Harness h;
    h.OpenLoaded(dir);
    h.ws.OnFileRowSelected(1);
    for (std::optional<std::string> answer :
         {std::optional<std::string>{}, std::optional<std::string>{dir + "/missing"}}) {
        h.prompts.Forget();
        h.prompts.folders.push_back(answer);
        h.ws.OpenProject();
        EXPECT_EQ(h.prompts.messages,
                  std::vector<std::string>{"无效的目录或为空目录，请重新选择！"});
        EXPECT_EQ(h.ws.Rows().size(), 2u);
        EXPECT_EQ(h.ws.m_records.size(), 2u);
        EXPECT_TRUE(h.ws.m_currentPath.empty());
    }
    // With no file selected, saving refuses.
    h.prompts.Forget();
    EXPECT_FALSE(h.ws.Save());
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"请先添加文件！"});
}

TEST(OpenProject, EmptyDirectoryGivesAnEmptyListWithoutMessage) {
    const std::string dir = TestDir();
    Harness h;
    h.OpenLoaded(dir);
    EXPECT_TRUE(h.ws.Rows().empty());
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(h.views.allRows, 0);
}

// A damaged file keeps its row, is named in one message, and is never made current: an
// empty record in its place would let one save replace the file with blanks.
TEST(OpenProject, UnreadableFileKeepsItsRowButIsNeverSelected) {
    const std::string dir = TestDir();
    WriteProject(dir, {"1.kxc", "4.kxc"});
    test::WriteFile(dir + "/2.kxc", {'X', 'X', 'X', 'X', 0, 0});
    const std::vector<uint8_t> truncated = {'Q', 'R', 'V', 'A', 1, 2};
    test::WriteFile(dir + "/3.kxc", truncated);
    Harness h;
    h.OpenLoaded(dir);
    ASSERT_EQ(h.ws.m_records.size(), 4u);
    EXPECT_EQ(h.Record(1).pileNumber, "");
    EXPECT_TRUE(h.ws.RowUnreadable(1));
    EXPECT_TRUE(h.ws.RowUnreadable(2));
    EXPECT_FALSE(h.ws.RowUnreadable(3));
    const std::string message = h.ws.UnreadableFilesMessage();
    EXPECT_NE(message.find("2.kxc：不是桩基检测数据文件"), std::string::npos) << message;
    EXPECT_NE(message.find("3.kxc：文件不完整"), std::string::npos) << message;
    EXPECT_EQ(message.find("4.kxc"), std::string::npos);

    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "edited";
    h.ws.OnFileRowSelected(2);  // no prompt: the current record stays current
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0].rfind("文件3.kxc无法读取：文件不完整", 0), 0u);
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_EQ(h.ws.m_currentIndex, 0);
    EXPECT_EQ(h.views.shownSelection, 0);
    EXPECT_EQ(test::ReadFile(dir + "/3.kxc"), truncated);
}

// While the loader runs, a selection of a row not loaded yet is kept pending instead of
// blocking the caller, and runs once its record is there.
TEST(PendingSelection, RunsOnceTheRecordIsLoaded) {
    const std::string dir = TestDir();
    WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
    Harness h;
    h.ws.SetSelectionWaitsForLoader(false);
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
    h.ws.m_records.SetBeforeReadHookForTesting([&](const std::string&) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return open; });
    });
    h.Open(dir);
    h.ws.OnFileRowSelected(2);
    EXPECT_EQ(h.ws.PendingSelection(), 2);
    EXPECT_EQ(h.ws.m_currentIndex, -1);
    h.ws.RunPendingSelection();  // not loaded yet: still pending
    EXPECT_EQ(h.ws.PendingSelection(), 2);
    // Removing a row selects the one that moves into its place, which is not loaded either.
    h.ws.RemoveDataRow(0);
    EXPECT_EQ(h.ws.PendingSelection(), 0);
    {
        std::lock_guard lock(m);
        open = true;
    }
    cv.notify_all();
    h.ws.WaitUntilLoaded();
    h.ws.RunPendingSelection();
    EXPECT_EQ(h.ws.PendingSelection(), -1);
    EXPECT_EQ(h.ws.m_currentPath, dir + "/2.kxc");
    EXPECT_EQ(h.views.pages.pileNumber, "2");
}

TEST(LoadSteps, LoaderIntegratesOnceAndAgainAfterReopening) {
    const std::string dir = TestDir();
    PileRecord inFile = ProjectRecord("1", 64);
    inFile.integrated = false;
    inFile.invertPending = true;
    test::WriteFile(dir + "/1.kxc", test::AnalysisFixture(inFile));
    const auto bytes = test::ReadFile(dir + "/1.kxc");

    PileRecord expected = inFile;
    ApplyLoadSteps(expected);
    ASSERT_NE(expected.waves, inFile.waves);

    Harness h;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        h.OpenLoaded(dir);
        const PileRecord& loaded = h.Record(0);
        EXPECT_EQ(loaded, expected);
        EXPECT_TRUE(loaded.integrated);
        EXPECT_FALSE(loaded.invertPending);
        // Slot 8 negated exactly once before the integration.
        EXPECT_EQ(test::ReadFile(dir + "/1.kxc"), bytes);  // the file keeps its flags
    }
}

TEST(LoadSteps, InvertPendingNegatesTheStackedWaveOnce) {
    const std::string dir = TestDir();
    PileRecord inFile = ProjectRecord("1", 8);
    inFile.invertPending = true;  // already integrated: only the inversion applies
    test::WriteFile(dir + "/1.kxc", test::AnalysisFixture(inFile));
    Harness h;
    h.OpenLoaded(dir);
    const PileRecord& loaded = h.Record(0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(loaded.waves[8][i], -inFile.waves[8][i]);
        EXPECT_EQ(loaded.waves[0][i], inFile.waves[0][i]);
    }
    EXPECT_FALSE(loaded.invertPending);
}

class Selection : public ::testing::Test {
protected:
    void SetUp() override {
        dir = TestDir();
        WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
        h.OpenLoaded(dir);
    }
    std::string dir;
    Harness h;
};

TEST_F(Selection, FirstSelectionNeverPromptsAndTakesTheSnapshots) {
    h.views.pages.remarks = "typed before any selection";
    h.ws.m_waveModified = true;
    h.ws.OnFileRowSelected(1);
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_EQ(h.ws.m_currentIndex, 1);
    EXPECT_EQ(h.ws.m_currentPath, dir + "/2.kxc");
    EXPECT_EQ(h.ws.m_currentExt, "kxc");
    EXPECT_EQ(h.ws.m_savePath, dir + "/2.kxc");
    EXPECT_EQ(h.ws.g_selectionCount, 1);
    const PileRecord& rec = h.Record(1);
    EXPECT_EQ(h.ws.m_savedRecord, rec);
    EXPECT_EQ(h.ws.m_savedWaves, rec.waves);
    EXPECT_EQ(h.views.backupWave, rec.waves[8]);
    EXPECT_EQ(rec.pileTopTimeUs, rec.sampleIntervalUs * 4);  // markers placed before snapshot
    EXPECT_EQ(h.views.pages.pileNumber, "2");
    EXPECT_EQ(h.views.rawBlow, -1);
    EXPECT_EQ(h.views.spectrumComputed, 1);
    EXPECT_FALSE(h.ws.m_waveModified);
}

TEST_F(Selection, UnchangedRecordIsLeftWithoutPrompt) {
    h.ws.OnFileRowSelected(0);
    h.ws.OnFileRowSelected(1);
    h.ws.OnFileRowSelected(2);
    EXPECT_TRUE(h.prompts.questions.empty());
}

// Each way of changing the record or the pages is noticed by the change test.
TEST_F(Selection, EveryKindOfChangePrompts) {
    struct Case {
        const char* what;
        std::function<void(Harness&)> change;
    } cases[] = {
        {"remarks", [](Harness& h) { h.views.pages.remarks += "!"; }},
        {"tester", [](Harness& h) { h.views.pages.tester = "Li"; }},
        {"date", [](Harness& h) { h.views.pages.testDate = "2018-06-29"; }},
        {"class", [](Harness& h) { h.views.pages.integrityClass = "III"; }},
        {"defect box", [](Harness& h) { h.views.pages.defectPosition = "1.00"; }},
        {"length box", [](Harness& h) { h.views.pages.pileLength = "13.00"; }},
        {"speed box", [](Harness& h) { h.views.pages.waveSpeed = "3900.00"; }},
        {"waves", [](Harness& h) { h.ws.m_waveModified = true; }},
        {"optimize", [](Harness& h) { h.ws.m_optimizeTouched = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        h.ws.OnFileRowSelected(0);
        c.change(h);
        h.prompts.Forget();
        h.prompts.yesNo.push_back(false);
        h.ws.OnFileRowSelected(1);
        EXPECT_TRUE(h.prompts.SaidPrompt());
        h.ws.OnFileRowSelected(2);  // back to a clean state
    }
}

// A marker command that changed the record prompts, whichever marker it moved; one that left
// the record as it was never does. (Remembering the pile top at the bottom's position and
// the defect at its new one prompted for the wrong marker and stayed silent after the defect
// had moved.)
TEST_F(Selection, MarkerCommandsPromptExactlyWhenTheyChangedTheRecord) {
    // A stacked view 64 pixels per sample wide (N = 16, W = 1024): pile top at sample 4
    // (where the selection puts it), defect at 5, pile bottom at 7.
    const auto at = [](int32_t sample) { return sample * 64; };
    struct Case {
        const char* what;
        std::function<void(MarkerState&)> command;
        bool prompts;
    } cases[] = {
        {"defect moved",
         [&](MarkerState& s) {
             s.cursorX = at(6);
             SetDefect(s);
         },
         true},
        {"defect rejected",
         [&](MarkerState& s) {
             s.cursorX = at(9);
             SetDefect(s);
         },
         true},
        {"defect set where it was",
         [&](MarkerState& s) {
             s.cursorX = at(5);
             SetDefect(s);
         },
         false},
        {"pile bottom moved",
         [&](MarkerState& s) {
             s.cursorX = at(8);
             SetPileBottom(s);
         },
         true},
        {"pile bottom refused",
         [&](MarkerState& s) {
             s.cursorX = 0;
             SetPileBottom(s);
         },
         false},
        {"pile bottom moved and put back",
         [&](MarkerState& s) {
             s.cursorX = at(8);
             SetPileBottom(s);
             s.cursorX = at(7);
             SetPileBottom(s);
         },
         false},
        {"pile top moved",
         [&](MarkerState& s) {
             s.cursorX = at(3);
             s.timeText = std::to_string(3 * s.record->sampleIntervalUs);
             SetPileTop(s);
         },
         true},
        {"pile top set where it was",
         [&](MarkerState& s) {
             s.cursorX = at(4);
             s.timeText = std::to_string(4 * s.record->sampleIntervalUs);
             SetPileTop(s);
         },
         false},
        {"speed fixed with a new speed",
         [&](MarkerState& s) {
             s.speedText = "4321";
             SetSpeedFixed(s);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The record as the markers leave it, before it is selected and snapshotted.
        PileRecord& rec = h.Record(0);
        MarkerState s;
        s.record = &rec;
        s.viewWidth = 1024;
        s.topX = s.bottomX = at(4);
        rec.pileTopTimeUs = 4 * rec.sampleIntervalUs;
        s.cursorX = at(7);
        ASSERT_TRUE(SetPileBottom(s).message.empty());
        s.cursorX = at(5);
        ASSERT_TRUE(SetDefect(s).message.empty());
        h.ws.OnFileRowSelected(0);

        // The window fills the state's box texts from the pages, runs the command and writes
        // the texts back.
        s.lengthText = h.views.pages.pileLength;
        s.speedText = h.views.pages.waveSpeed;
        s.defectText = h.views.pages.defectPosition;
        c.command(s);
        h.views.pages.pileLength = s.lengthText;
        h.views.pages.waveSpeed = s.speedText;
        h.views.pages.defectPosition = s.defectText;

        h.prompts.Forget();
        h.prompts.yesNo.push_back(false);
        h.ws.OnFileRowSelected(1);
        EXPECT_EQ(h.prompts.SaidPrompt(), c.prompts);
        h.ws.OnFileRowSelected(2);
    }
}

TEST_F(Selection, NoRestoresTheOldRecordAndAllTenSlots) {
    h.ws.OnFileRowSelected(0);
    const PileRecord atSelection = h.Record(0);
    PileRecord& rec = h.Record(0);
    // A tool edits the waves in place; another edit touches slot 9 and a header field.
    for (int s = 0; s < kSlotCount; ++s)
        rec.waves[s][3] += 1000 + s;
    rec.pileLength = 99.0f;
    h.ws.m_waveModified = true;
    h.views.pages.remarks = "edited";
    h.prompts.yesNo.push_back(false);
    h.ws.OnFileRowSelected(1);
    EXPECT_EQ(h.prompts.questions, std::vector<std::string>{"是否保存修改过的数据？"});
    EXPECT_EQ(h.Record(0), atSelection);
    EXPECT_EQ(h.views.restoreWaveCalls, 1);
    // Nothing was written.
    PileRecord onDisk;
    ASSERT_TRUE(onDisk.ReadTestFile(nullptr, dir + "/1.kxc"));
    EXPECT_EQ(onDisk.remarks, ProjectRecord("1").remarks);
    EXPECT_EQ(h.ws.m_currentIndex, 1);
}

TEST_F(Selection, YesSavesTheOldRecordAndMarksItsRow) {
    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "edited remarks";
    h.prompts.yesNo.push_back(true);
    h.ws.OnFileRowSelected(2);
    EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"保存成功！"});
    PileRecord onDisk;
    ASSERT_TRUE(onDisk.ReadTestFile(nullptr, dir + "/1.kxc"));
    EXPECT_EQ(onDisk.remarks, "edited remarks");
    EXPECT_EQ(h.ws.m_savedRows, std::vector<int32_t>{0});
    // Saved again at a later prompt, the row is listed once.
    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "again";
    h.prompts.yesNo.push_back(true);
    h.ws.OnFileRowSelected(1);
    EXPECT_EQ(h.ws.m_savedRows, std::vector<int32_t>{0});
}

// A save is the new reference: leaving right after it asks nothing, changing the record again
// asks (the edits after an explicit save used to be dropped without a word), and "否" goes
// back to what was saved.
TEST_F(Selection, AfterASaveOnlyLaterChangesPrompt) {
    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "first";
    h.ws.m_waveModified = true;
    ASSERT_TRUE(h.ws.Save());
    h.ws.OnFileRowSelected(1);
    EXPECT_FALSE(h.prompts.SaidPrompt());

    h.ws.OnFileRowSelected(0);
    h.views.pages.remarks = "saved";
    ASSERT_TRUE(h.ws.Save());
    const PileRecord saved = h.Record(0);
    h.views.pages.remarks = "second, unsaved";
    h.Record(0).pileLength = 99.0f;
    h.prompts.yesNo.push_back(false);
    h.ws.OnFileRowSelected(1);
    EXPECT_TRUE(h.prompts.SaidPrompt());
    EXPECT_EQ(h.Record(0), saved);
    EXPECT_EQ(h.Record(0).remarks, "saved");
}

// Closing after the first selection compares the record as leaving it for another row does:
// a pile with a defect that was only looked at asks nothing, an edited defect, length or
// speed box asks. (Holding the defect box against "0.00" and skipping the other two boxes
// asked for untouched piles and let length and speed edits go unasked.)
TEST_F(Selection, CloseAfterTheFirstSelectionAsksExactlyForChanges) {
    struct Case {
        const char* what;
        std::function<void(PageTexts&)> edit;
        bool prompts;
    } cases[] = {
        {"only looked at", [](PageTexts&) {}, false},
        {"defect box", [](PageTexts& p) { p.defectPosition = "4.56"; }, true},
        {"length box", [](PageTexts& p) { p.pileLength = "13.00"; }, true},
        {"speed box", [](PageTexts& p) { p.waveSpeed = "3900.00"; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness fresh;
        fresh.OpenLoaded(dir);
        fresh.Record(0).defectTimeUs = 300.0f;  // a defect, so its box does not read "0.00"
        fresh.ws.OnFileRowSelected(0);
        ASSERT_NE(fresh.views.pages.defectPosition, "0.00");
        c.edit(fresh.views.pages);
        fresh.prompts.yesNo.push_back(true);
        EXPECT_TRUE(fresh.ws.OnMainWindowClose());
        EXPECT_EQ(fresh.prompts.SaidPrompt(), c.prompts);
        EXPECT_TRUE(fresh.ws.m_savedRows.empty());  // closing does not mark rows
    }
}

TEST_F(Selection, CloseAfterViewingTwoUnchangedRecordsDoesNotPrompt) {
    h.ws.OnFileRowSelected(0);
    h.ws.OnFileRowSelected(1);
    h.ws.OnMainWindowClose();
    EXPECT_TRUE(h.prompts.questions.empty());
}

TEST_F(Selection, CloseWithNothingSelectedAsksNothing) {
    h.views.pages.remarks = "typed";
    h.ws.OnMainWindowClose();
    EXPECT_TRUE(h.prompts.questions.empty());
}

TEST_F(Selection, OpeningAnotherProjectOffersToSaveFirst) {
    const std::string other = TestDir("-other");
    WriteProject(other, {"7.kxc"});
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        h.OpenLoaded(dir);
        h.ws.OnFileRowSelected(0);
        h.views.pages.remarks = yes ? "keep me" : "drop me";
        h.prompts.Forget();
        h.prompts.yesNo.push_back(yes);
        h.OpenLoaded(other);
        EXPECT_EQ(h.prompts.questions, std::vector<std::string>{"是否保存修改过的数据？"});
        PileRecord onDisk;
        ASSERT_TRUE(onDisk.ReadTestFile(nullptr, dir + "/1.kxc"));
        EXPECT_EQ(onDisk.remarks, "keep me");  // saved by Yes; untouched by No
        // The new project starts with nothing selected.
        EXPECT_EQ(RowNames(h.ws), std::vector<std::string>{"7.kxc"});
        EXPECT_TRUE(h.ws.m_currentPath.empty());
        EXPECT_EQ(h.ws.m_currentIndex, -1);
        EXPECT_EQ(h.ws.CurrentRecord(), nullptr);
        h.prompts.Forget();
        EXPECT_EQ(h.ws.RequireCurrentRecord(), nullptr);
        EXPECT_EQ(h.prompts.messages, std::vector<std::string>{"请先选择文件！"});
        // Its first selection does not prompt, whatever the pages show.
        h.ws.OnFileRowSelected(0);
        EXPECT_TRUE(h.prompts.questions.empty());
    }
}

}  // namespace
}  // namespace kx
