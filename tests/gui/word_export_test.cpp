// 输出到WORD after "生成WORD": figures drawn from the settings as confirmed into a directory of
// the export that is gone afterwards, the save question with a name from the site, the
// document opened, and failures told with the file and the reason.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>

#include "core/workspace_test_util.h"
#include "print/qt/my_print.h"
#include "print/qt/my_print_view2.h"
#include "print/qt/my_print_view3.h"
#include "record/gbk.h"
#include "report/qt/word_export.h"
#include "res/ids.h"
#include "support/docx_reader.h"
#include "support/fixture_writer.h"
#include "ui/background_task.h"
#include "ui/word_commands.h"
#include "window_fixture.h"

namespace kx {
namespace {

class ScriptedPrompts : public UserPrompts {
public:
    std::optional<std::string> saveAs;
    std::function<void()> whileAsked;  // runs when the save question comes
    std::vector<std::string> messages, captions;
    std::string proposed, filter;

    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text);
        captions.push_back(caption);
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return {}; }
    std::optional<std::string> AskOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFile(const std::string& initial,
                                           const std::string& f) override {
        proposed = initial;
        filter = f;
        if (whileAsked) {
            whileAsked();
        }
        return saveAs;
    }
    OverwriteAnswer AskOverwrite(const std::string&) override { return OverwriteAnswer::No; }
};

PileRecord Pile() {
    PileRecord r;
    Utf8ToGbk("滨江/花园工地", r.site);
    r.pileNumber = "1#";
    r.sampleCount = 1024;
    r.sampleIntervalUs = 20;
    r.pileBottomTimeUs = 5000;
    for (int i = 0; i < 1024; ++i) {
        r.waves[kStackedSlot][i] = (i % 100) * 10;
    }
    return r;
}

// Temporary directories of the export go to a directory of the test's own.
class WordExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", scratch.path().toUtf8());
    }
    void TearDown() override { qputenv("TMPDIR", previousTmp); }

    QStringList ScratchEntries() const {
        return QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    QTemporaryDir scratch;
    QTemporaryDir project;
    QByteArray previousTmp;
    ScriptedPrompts prompts;
    PileRecord pile = Pile();
    std::vector<const PileRecord*> entries = std::vector<const PileRecord*>(23, &pile);
};

TEST_F(WordExportTest, FiguresFromTheConfirmedSettingsThenSavedAndOpened) {
    PrintSettings settings;
    settings.pilesPerPage = "14";  // changed in the dialog before 生成WORD: two figures
    const std::string target = project.filePath("report.docx").toStdString();
    prompts.saveAs = project.filePath("report").toStdString();  // the suffix is added
    QStringList figuresWhileAsked;
    prompts.whileAsked = [&] {
        const QStringList dirs = ScratchEntries();
        ASSERT_EQ(dirs.size(), 1);
        figuresWhileAsked = QDir(scratch.filePath(dirs[0])).entryList(QDir::Files, QDir::Name);
    };
    std::string opened;
    const auto outcome = ExportWordReport(settings, entries, project.path().toStdString(), prompts,
                                          [&](const std::string& path) {
                                              opened = path;
                                              return true;
                                          });

    EXPECT_EQ(outcome, WordExportOutcome::Saved);
    EXPECT_EQ(figuresWhileAsked, (QStringList{"1.jpg", "2.jpg"}));
    EXPECT_TRUE(ScratchEntries().isEmpty());  // the figures went with the export
    EXPECT_EQ(prompts.proposed, project.filePath("滨江_花园工地.docx").toStdString());
    EXPECT_EQ(prompts.filter, kWordFilter);
    EXPECT_EQ(opened, target);
    EXPECT_TRUE(prompts.messages.empty());
    const test::DocxParts docx = test::ReadDocx(target);
    ASSERT_EQ(docx.error, "");
    EXPECT_EQ(test::TableTexts(docx.Document()).size(), 24u);
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 2u);
}

TEST_F(WordExportTest, WhenNothingOpensTheMessageSaysWhereItIs) {
    prompts.saveAs = project.filePath("r.docx").toStdString();
    EXPECT_EQ(ExportWordReport(PrintSettings{}, entries, project.path().toStdString(), prompts,
                               [](const std::string&) { return false; }),
              WordExportOutcome::Saved);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "WORD报告已保存到" + *prompts.saveAs);
    EXPECT_EQ(prompts.captions[0], kAppTitle);
}

TEST_F(WordExportTest, CancelledSaveWritesNothing) {
    EXPECT_EQ(ExportWordReport(PrintSettings{}, entries, project.path().toStdString(), prompts, {}),
              WordExportOutcome::Cancelled);
    EXPECT_TRUE(QDir(project.path()).isEmpty());
    EXPECT_TRUE(ScratchEntries().isEmpty());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WordExportTest, UnwritableTargetIsNamedWithItsReason) {
    test::WriteFile(project.filePath("file").toStdString(), {'x'});
    prompts.saveAs = project.filePath("file/r.docx").toStdString();
    bool opened = false;
    EXPECT_EQ(ExportWordReport(PrintSettings{}, entries, project.path().toStdString(), prompts,
                               [&](const std::string&) { return opened = true; }),
              WordExportOutcome::Failed);
    EXPECT_FALSE(opened);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].find("生成WORD失败：" + *prompts.saveAs + "："), 0u)
        << prompts.messages[0];
    EXPECT_GT(prompts.messages[0].size(), ("生成WORD失败：" + *prompts.saveAs + "：").size());
    EXPECT_EQ(prompts.captions[0], kWordErrorCaption);
    EXPECT_EQ(QDir(project.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"file"});
    EXPECT_TRUE(ScratchEntries().isEmpty());
}

TEST_F(WordExportTest, EmptyListGivesAHeaderOnlyTableNamedAfterTheTitle) {
    prompts.saveAs = project.filePath("r.docx").toStdString();
    EXPECT_EQ(ExportWordReport(PrintSettings{}, {}, project.path().toStdString(), prompts, {}),
              WordExportOutcome::Saved);
    EXPECT_EQ(prompts.proposed, project.filePath("低应变检测结果汇总表.docx").toStdString());
    const test::DocxParts docx = test::ReadDocx(*prompts.saveAs);
    EXPECT_EQ(test::TableTexts(docx.Document()).size(), 1u);
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 0u);
}

// 输出到WORD in the main window: the dialog in Word mode, the export after "生成WORD".
class WordCommandsTest : public ui::WindowTest {
protected:
    void SetUp() override {
        ui::WindowTest::SetUp();
        dir = test::TestDir();
        std::vector<std::string> names;
        for (int i = 1; i <= 12; ++i) {
            names.push_back(std::to_string(i) + ".kxc");
        }
        test::WriteProject(dir, names);
        // The window's own project, its print list holding every pile.
        filePrompts.folders.push_back(dir);
        window->Project()->OpenProject();
        Workspace& ws = window->Project()->GetWorkspace();
        ws.WaitUntilLoaded();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Loading(); }, 10000));
        ws.OnFileRowSelected(0);
        std::vector<int> rows;
        for (int r = 0; r < 12; ++r) {
            rows.push_back(r);
        }
        ws.AddToPrintList(rows);
        window->Project()->SetUserPrompts(&prompts);
        commands = window->WordCommands();
        commands->SetOpener([this](const std::string& path) {
            opened = path;
            return true;
        });
    }

    std::string dir;
    ScriptedPrompts prompts;
    ui::CWordCommands* commands = nullptr;
    std::string opened;
};

// What is changed in the dialog before "生成WORD" reaches the figures of this very export.
TEST_F(WordCommandsTest, ChangesInTheDialogReachTheFiguresOfThisExport) {
    prompts.saveAs = dir + "/report.docx";
    std::string mode;
    commands->SetDialogRunner([&](ui::CMyPrint& d) {
        mode = d.ConfirmButton()->text().toStdString();
        d.PageParamsPage()->Edit(id::kPilesPerPageEdit)->setText("5");
        d.PrintParamsPage()->Check(id::kShowSiteCheck)->setChecked(false);
        d.OnConfirm();
        return d.Confirmed();
    });
    window->Command(id::kCmdWordReport)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Task()->Running(); }, 20000));

    EXPECT_EQ(mode, "生成WORD");
    EXPECT_EQ(window->PrintSettingsRef().pilesPerPage, "5");
    EXPECT_FALSE(window->PrintSettingsRef().showSite);
    EXPECT_EQ(prompts.proposed, dir + "/Site-7.docx");  // the site, in the project directory
    EXPECT_EQ(opened, dir + "/report.docx");
    const test::DocxParts docx = test::ReadDocx(opened);
    ASSERT_EQ(docx.error, "");
    EXPECT_EQ(test::TableTexts(docx.Document()).size(), 13u);
    EXPECT_EQ(test::CountOf(docx.Document(), "<wp:inline "), 3u);  // 12 piles at 5 per figure
}

TEST_F(WordCommandsTest, ClosingTheDialogExportsNothing) {
    commands->SetDialogRunner([](ui::CMyPrint& d) {
        d.PageParamsPage()->Edit(id::kPilesPerPageEdit)->setText("5");
        d.reject();
        return d.Confirmed();
    });
    commands->ExportWordReport();
    EXPECT_EQ(window->PrintSettingsRef().pilesPerPage, "10");
    EXPECT_TRUE(prompts.proposed.empty());  // no save question
    EXPECT_TRUE(opened.empty());
}

// 取消 while the save question is open: the export ends there and no document is written.
TEST_F(WordCommandsTest, CancelledWhileAskingWhereSavesNothing) {
    struct CancelAtSave : test::ScriptedPrompts {
        ui::CKX7300Dlg* mainWindow = nullptr;
        QString bar;
        std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
            auto* progress = mainWindow->findChild<QProgressBar*>("taskProgress");
            bar = progress->isHidden() ? QString() : progress->text();
            mainWindow->findChild<QPushButton*>("taskCancel")->click();
            return target;
        }
        std::string target;
    } cancelling;
    cancelling.mainWindow = window.get();
    cancelling.target = dir + "/report.docx";
    window->Project()->SetUserPrompts(&cancelling);
    commands->SetDialogRunner([](ui::CMyPrint& d) {
        d.OnConfirm();
        return d.Confirmed();
    });
    commands->ExportWordReport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Task()->Running(); }, 20000));
    EXPECT_EQ(cancelling.bar, "输出到WORD 2 / 2");  // 12 piles at 10 per figure
    EXPECT_FALSE(std::filesystem::exists(cancelling.target));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(cancelling.messages.empty());
    window->Project()->SetUserPrompts(&prompts);
}

}  // namespace
}  // namespace kx
