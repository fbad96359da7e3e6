// The print dialog CMyPrint: start-up from the settings, confirm and close, the clamps of
// piles per page, removing an entry, and the print-info file.
#include <gtest/gtest.h>

#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <deque>

#include "core/workspace_test_util.h"
#include "print/qt/my_print.h"
#include "print/qt/my_print_view1.h"
#include "print/qt/my_print_view2.h"
#include "print/qt/my_print_view3.h"
#include "record/gbk.h"
#include "res/ids.h"
#include "support/fixture_writer.h"
#include "widgets/buddy_spin_button.h"
#include "widgets/tab_control.h"

namespace kx::ui {
namespace {

// Messages are recorded; the two file dialogs answer from queues (nothing = cancelled).
class PrintPrompts : public UserPrompts {
public:
    std::vector<std::string> messages;
    std::deque<std::optional<std::string>> openFiles, saveFiles;
    std::vector<std::string> filters;

    void ShowMessage(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return {}; }
    std::optional<std::string> AskOpenFile(const std::string& filter) override {
        filters.push_back(filter);
        return Next(openFiles);
    }
    std::optional<std::string> AskSaveFile(const std::string& initialName,
                                           const std::string& filter) override {
        EXPECT_EQ(initialName, "123.pr");
        filters.push_back(filter);
        return Next(saveFiles);
    }
    OverwriteAnswer AskOverwrite(const std::string&) override { return OverwriteAnswer::No; }

private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) {
            return {};
        }
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::TestDir();
        test::WriteProject(dir, {"1.kxc", "2.kxc", "3.kxc"});
        // The workspace's own prompts answer the folder browser only.
        folderPrompts.folders.push_back(dir);
        ws.OpenProject();
        ws.WaitUntilLoaded();
        ws.OnFileRowSelected(0);
        ws.m_records.WaitFor(0)->tester = test::Gbk("王工");
        ws.AddToPrintList({0, 1, 2});
    }
    std::unique_ptr<CMyPrint> Open(CMyPrint::Mode mode = CMyPrint::Mode::Settings) {
        return std::make_unique<CMyPrint>(ws, settings, prompts, mode);
    }
    QLineEdit* Edit(CMyPrint& d, int page, int id) {
        return page == 2 ? d.PrintParamsPage()->Edit(id) : d.PageParamsPage()->Edit(id);
    }

    std::string dir;
    test::ScriptedPrompts folderPrompts;
    test::FakeViews views;
    Workspace ws{folderPrompts, views};
    PrintSettings settings;
    PrintPrompts prompts;
};

TEST_F(PrintDialogTest, StartsOnThePrintParametersWithTheSettings) {
    settings.pilesPerPage = "12";
    settings.leftMarginMm = "12.5";
    settings.startPage = 7;
    settings.halfWave = true;
    settings.showRuler = false;
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "打印列表");
    EXPECT_EQ(d->ConfirmButton()->text(), "确定");
    EXPECT_EQ(Open(CMyPrint::Mode::Word)->ConfirmButton()->text(), "生成WORD");

    ASSERT_EQ(d->ListBox()->count(), 3);
    EXPECT_EQ(d->ListBox()->item(1)->text(), "2.kxc");
    EXPECT_EQ(d->Tabs()->CurrentSelection(), 1);
    EXPECT_EQ(d->Tabs()->Bar()->tabText(2), "页面参数");
    EXPECT_FALSE(d->PrintParamsPage()->isHidden());
    EXPECT_TRUE(d->ListPage()->isHidden());
    EXPECT_TRUE(d->PageParamsPage()->isHidden());
    // The pages stand 10 pixels in from the tab control's sides and 30 below its top.
    EXPECT_EQ(d->ListPage()->geometry(),
              QRect(10, 30, d->Tabs()->width() - 20, d->Tabs()->height() - 40));

    EXPECT_EQ(Edit(*d, 2, id::kPrintTitleEdit)->text(), "低应变桩基完整性检测附图");
    EXPECT_TRUE(d->PrintParamsPage()->Check(id::kHalfWaveCheck)->isChecked());
    EXPECT_FALSE(d->PrintParamsPage()->Check(id::kShowRulerCheck)->isChecked());
    EXPECT_TRUE(d->PrintParamsPage()->Check(id::kShowSiteCheck)->isChecked());
    EXPECT_EQ(Edit(*d, 3, id::kPilesPerPageEdit)->text(), "12");
    EXPECT_EQ(Edit(*d, 3, id::kLeftMarginEdit)->text(), "12.5");
    EXPECT_EQ(Edit(*d, 3, id::kRightMarginEdit)->text(), "20");
    EXPECT_EQ(Edit(*d, 2, id::kStartPageEdit)->text(), "7");
    EXPECT_EQ(d->PrintParamsPage()->FooterCombo()->currentIndex(), 0);
    EXPECT_EQ(d->PrintParamsPage()->FooterCombo()->itemText(1), "测试人");
    // Names hidden with the page-number footer; both show the current record's tester.
    EXPECT_TRUE(Edit(*d, 2, id::kWriterEdit)->isHidden());
    EXPECT_TRUE(d->PrintParamsPage()->Control<QLabel>(id::kReporterLabel)->isHidden());
    EXPECT_EQ(Edit(*d, 2, id::kWriterEdit)->text(), "王工");
    EXPECT_EQ(Edit(*d, 2, id::kReporterEdit)->text(), "王工");
    d->PrintParamsPage()->FooterCombo()->setCurrentIndex(1);
    EXPECT_FALSE(Edit(*d, 2, id::kWriterEdit)->isHidden());
    EXPECT_FALSE(d->PrintParamsPage()->Control<QLabel>(id::kWriterLabel)->isHidden());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PrintDialogTest, ConfirmCopiesTheControlsTheCloseBoxLeavesTheSettings) {
    auto d = Open();
    Edit(*d, 2, id::kPrintTitleEdit)->setText("桩基报告");
    d->PrintParamsPage()->Check(id::kShowPileBottomCheck)->setChecked(false);
    d->PrintParamsPage()->Check(id::kHalfWaveCheck)->setChecked(true);
    Edit(*d, 3, id::kPilesPerPageEdit)->setText("6");
    Edit(*d, 3, id::kRightMarginEdit)->setText("12.5");
    Edit(*d, 2, id::kStartPageEdit)->setText("3");
    d->PrintParamsPage()->FooterCombo()->setCurrentIndex(1);
    Edit(*d, 2, id::kReporterEdit)->setText("李工");
    // The report options beyond the original pages start unticked.
    for (int check : {id::kClassInBlockCheck, id::kPageOfTotalCheck, id::kWordPageNumbersCheck}) {
        EXPECT_FALSE(d->PageParamsPage()->Check(check)->isChecked());
    }
    d->PageParamsPage()->Check(id::kClassInBlockCheck)->setChecked(true);
    d->PageParamsPage()->Check(id::kWordPageNumbersCheck)->setChecked(true);
    d->reject();  // the close box
    EXPECT_FALSE(d->Confirmed());
    EXPECT_EQ(settings, PrintSettings{});

    // Enter in a box confirms, as the default button would.
    d->show();
    QTest::keyClick(Edit(*d, 2, id::kPrintTitleEdit), Qt::Key_Return);
    EXPECT_TRUE(d->Confirmed());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    PrintSettings expected;
    expected.title = "桩基报告";
    expected.showPileBottom = false;
    expected.halfWave = true;
    expected.pilesPerPage = "6";
    expected.rightMarginMm = "12.5";
    expected.startPage = 3;
    expected.pageNumberFooter = false;
    expected.writer = "王工";  // the tester shown for an empty writer is kept
    expected.reporter = "李工";
    expected.classInBlock = true;
    expected.wordPageNumbers = true;
    EXPECT_EQ(settings, expected);
}

TEST_F(PrintDialogTest, TheCoverIsKeptInTheProjectFolderAndTickedWhenEdited) {
    auto d = Open();
    EXPECT_FALSE(d->PageParamsPage()->Check(id::kCoverPageCheck)->isChecked());
    d->EditCover([](ReportHeader&) { return false; });  // 取消: nothing kept
    EXPECT_FALSE(std::filesystem::exists(d->CoverPath()));
    d->EditCover([](ReportHeader& h) {
        h.projectName = "滨江花园二期";
        h.approver = "张工";
        return true;
    });
    EXPECT_TRUE(d->PageParamsPage()->Check(id::kCoverPageCheck)->isChecked());
    ReportHeader onDisk;
    ASSERT_TRUE(ReadReportHeaderFile(dir + "/报告封面.txt", onDisk));
    EXPECT_EQ(onDisk.projectName, "滨江花园二期");
    d->OnConfirm();
    EXPECT_TRUE(settings.coverPage);
    EXPECT_EQ(settings.cover, onDisk);

    // The next dialog reads what the project keeps.
    ReportHeader changed = onDisk;
    changed.client = "滨江置业";
    ASSERT_TRUE(WriteReportHeaderFile(dir + "/报告封面.txt", changed));
    EXPECT_EQ(Open()->Cover(), changed);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PrintDialogTest, PilesPerPageIsHeldToOneToFourteen) {
    auto d = Open();
    QLineEdit* perPage = Edit(*d, 3, id::kPilesPerPageEdit);
    perPage->setText("15");
    EXPECT_EQ(perPage->text(), "14");
    perPage->clear();
    EXPECT_EQ(perPage->text(), "1");
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"每页最多显示14根桩的图形！",
                                                          "每页最少显示1根桩的图形！"}));

    // The spin button goes on past 14 and is cut back each time; margins stop at 100.
    perPage->setText("14");
    prompts.messages.clear();
    d->PageParamsPage()->Spin(id::kPilesPerPageSpin)->Step(+1);
    EXPECT_EQ(perPage->text(), "14");
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"每页最多显示14根桩的图形！"});
    QLineEdit* left = Edit(*d, 3, id::kLeftMarginEdit);
    left->setText("100");
    d->PageParamsPage()->Spin(id::kLeftMarginSpin)->Step(+1);
    EXPECT_EQ(left->text(), "100");
    QTest::keyClick(left, Qt::Key_Down);
    EXPECT_EQ(left->text(), "99");
}

// Typed margins are held to the spin buttons' 0-100 mm, as kxtool holds them, so that the
// page keeps room for its plot; what lies within stays as typed.
TEST_F(PrintDialogTest, MarginsAreHeldToTheSpinButtonsRange) {
    auto d = Open();
    const struct {
        int edit;
        const char* typed;
        const char* kept;
        const char* message;  // none when empty
    } cases[] = {
        {id::kLeftMarginEdit, "12.5", "12.5", ""},
        {id::kLeftMarginEdit, "", "", ""},
        {id::kLeftMarginEdit, "100.5", "100", "左间距最大为100mm！"},
        {id::kLeftMarginEdit, "-3", "0", "左间距最小为0mm！"},
        {id::kRightMarginEdit, "250", "100", "右间距最大为100mm！"},
        {id::kRightMarginEdit, "-0.5", "0", "右间距最小为0mm！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        prompts.messages.clear();
        QLineEdit* edit = Edit(*d, 3, c.edit);
        edit->setText(c.typed);
        EXPECT_EQ(edit->text().toStdString(), c.kept);
        EXPECT_EQ(prompts.messages,
                  *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST_F(PrintDialogTest, RemoveNeedsASelectionAndTheRowMarksFollow) {
    auto d = Open();
    d->RemoveSelectedEntry();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"请选择文件"});
    d->ListBox()->setCurrentRow(1);
    QTest::mouseClick(d->ListPage()->RemoveButton(), Qt::LeftButton);
    ASSERT_EQ(d->ListBox()->count(), 2);
    EXPECT_EQ(d->ListBox()->item(1)->text(), "3.kxc");
    EXPECT_EQ(ws.m_printList.printRecordIndexes, (std::vector<int32_t>{0, 2}));
    EXPECT_FALSE(ws.Rows()[1].printed);
    EXPECT_TRUE(ws.Rows()[2].printed);
}

TEST_F(PrintDialogTest, PrintInfoFileRestoresChecksAndPageParametersOnly) {
    auto d = Open();
    CMyPrintView2* p2 = d->PrintParamsPage();
    p2->Check(id::kShowPileTopCheck)->setChecked(false);
    p2->Check(id::kShowRulerCheck)->setChecked(false);
    Edit(*d, 3, id::kPilesPerPageEdit)->setText("9");
    Edit(*d, 3, id::kLeftMarginEdit)->setText("12.5");
    prompts.saveFiles.push_back(dir + "/layout");  // no suffix: ".pr" is added
    d->SavePrintInfo();
    EXPECT_EQ(prompts.filters.back(), "数据文件(*.pr)|*.pr||");
    PrintInfo saved;
    ASSERT_TRUE(ReadPrintInfoFile(dir + "/layout.pr", saved));
    EXPECT_EQ(saved.checks, (std::array<int32_t, 9>{1, 0, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(saved.pilesPerPage, 9);
    EXPECT_EQ(saved.leftMarginMm, 12);  // the integer value of "12.5"
    EXPECT_EQ(saved.rightMarginMm, 20);

    // Cancelling the open dialog changes nothing, the print list included.
    p2->Check(id::kShowPileTopCheck)->setChecked(true);
    d->LoadPrintInfo();
    EXPECT_EQ(ws.m_printList.size(), 3u);
    EXPECT_EQ(d->ListBox()->count(), 3);
    EXPECT_TRUE(p2->Check(id::kShowPileTopCheck)->isChecked());

    // A short file is refused with a message: list and controls stay.
    std::vector<uint8_t> bytes = PrintInfoBytes(saved);
    bytes.resize(40);
    test::WriteFile(dir + "/short.pr", bytes);
    prompts.openFiles.push_back(dir + "/short.pr");
    d->LoadPrintInfo();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("不完整"), std::string::npos) << prompts.messages[0];
    EXPECT_EQ(ws.m_printList.size(), 3u);
    EXPECT_TRUE(p2->Check(id::kShowPileTopCheck)->isChecked());

    // A good file: checks and page parameters as saved, the list emptied; title, 半波,
    // footer and names as they stand.
    Edit(*d, 2, id::kPrintTitleEdit)->setText("保留");
    p2->Check(id::kHalfWaveCheck)->setChecked(true);
    Edit(*d, 3, id::kLeftMarginEdit)->setText("30");
    prompts.openFiles.push_back(dir + "/layout.pr");
    d->LoadPrintInfo();
    EXPECT_FALSE(p2->Check(id::kShowPileTopCheck)->isChecked());
    EXPECT_FALSE(p2->Check(id::kShowRulerCheck)->isChecked());
    EXPECT_TRUE(p2->Check(id::kShowSiteCheck)->isChecked());
    EXPECT_EQ(Edit(*d, 3, id::kPilesPerPageEdit)->text(), "9");
    EXPECT_EQ(Edit(*d, 3, id::kLeftMarginEdit)->text(), "12");
    EXPECT_EQ(Edit(*d, 2, id::kPrintTitleEdit)->text(), "保留");
    EXPECT_TRUE(p2->Check(id::kHalfWaveCheck)->isChecked());
    EXPECT_TRUE(ws.m_printList.empty());
    EXPECT_EQ(d->ListBox()->count(), 0);
    EXPECT_FALSE(ws.Rows()[0].printed);

    // Piles per page from a file passes the same clamp.
    PrintInfo many = saved;
    many.pilesPerPage = 40;
    ASSERT_TRUE(WritePrintInfoFile(dir + "/many.pr", many));
    prompts.openFiles.push_back(dir + "/many.pr");
    d->LoadPrintInfo();
    EXPECT_EQ(Edit(*d, 3, id::kPilesPerPageEdit)->text(), "14");
    EXPECT_EQ(prompts.messages.back(), "每页最多显示14根桩的图形！");
}

TEST_F(PrintDialogTest, TheFigureRendererIsMadeOnceAndOwnedByTheDialog) {
    int made = 0;
    QPointer<QWidget> renderer;
    {
        CMyPrint d(ws, settings, prompts, CMyPrint::Mode::Word, nullptr, [&](CMyPrint& dialog) {
            ++made;
            EXPECT_EQ(dialog.DialogMode(), CMyPrint::Mode::Word);
            renderer = new QWidget;
            return renderer.data();
        });
        EXPECT_EQ(made, 1);
        EXPECT_EQ(d.FigureRenderer(), renderer.data());
        EXPECT_EQ(renderer->parent(), &d);
    }
    EXPECT_TRUE(renderer.isNull());
}

}  // namespace
}  // namespace kx::ui
