// The main window's start-up state, tab switching, keyboard filter, commands and shutdown.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <filesystem>
#include <fstream>

#include "res/ids.h"
#include "ui/bo_xing_xx.h"
#include "ui/gong_cheng_xx.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/she_bei_xingxi.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

namespace fs = std::filesystem;

TEST_F(WindowTest, StartsWithStackedViewProjectPageAndFileCommandsGreyed) {
    EXPECT_EQ(window->windowTitle(), "KX系列基桩低应变分析系统");
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window->ViewTab()->CurrentSelection(), 1);
    EXPECT_TRUE(window->StackedTabActive());
    EXPECT_EQ(window->InfoTab()->CurrentSelection(), 0);
    EXPECT_FALSE(window->ProjectPage()->isHidden());
    EXPECT_TRUE(window->ConclusionPage()->isHidden());
    EXPECT_FALSE(window->StackedView()->isHidden());
    EXPECT_TRUE(window->RawView()->isHidden());

    for (int greyed : {id::kCmdSave, id::kCmdSaveAs, id::kCmdAddToPrintList, id::kCmdPrintSettings,
                       id::kCmdUnifySiteUnit, id::kBtnSave, id::kBtnSaveAs, id::kBtnAddToPrint}) {
        ASSERT_NE(window->Command(greyed), nullptr) << greyed;
        EXPECT_FALSE(window->Command(greyed)->isEnabled()) << greyed;
    }
    for (int open : {id::kCmdOpenProject, id::kCmdImportRawData, id::kCmdPrintPreview, id::kBtnOpen,
                     id::kBtnDeleteBlow, id::kCmdLowPass, id::kBtnRestack}) {
        ASSERT_NE(window->Command(open), nullptr) << open;
        EXPECT_TRUE(window->Command(open)->isEnabled()) << open;
    }
    window->SetFileCommandsEnabled(true);
    EXPECT_TRUE(window->Command(id::kCmdSave)->isEnabled());
    EXPECT_TRUE(window->Command(id::kBtnAddToPrint)->isEnabled());

    EXPECT_TRUE(window->Command(id::kCmdLengthFixed)->isChecked());
    window->Command(id::kCmdSpeedFixed)->trigger();
    EXPECT_FALSE(window->Command(id::kCmdLengthFixed)->isChecked());
    EXPECT_TRUE(window->Command(id::kCmdSpeedFixed)->isChecked());

    CMylistCtrl* list = window->FileList();
    ASSERT_EQ(list->model()->columnCount(), 3);
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), "是否打印");
    EXPECT_EQ(list->columnWidth(0), 50);
    EXPECT_EQ(list->columnWidth(1), 100);
    EXPECT_EQ(list->columnWidth(2), 80);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(WindowTest, ViewsTabSwitchClearsAndSetsTheStackedFlagAndFocusesTheView) {
    ShowActive();
    window->ViewTab()->Bar()->setCurrentIndex(0);
    EXPECT_FALSE(window->StackedTabActive());
    EXPECT_FALSE(window->RawView()->isHidden());
    EXPECT_TRUE(window->StackedView()->isHidden());
    EXPECT_TRUE(window->RawView()->hasFocus());

    window->ViewTab()->Bar()->setCurrentIndex(1);
    EXPECT_TRUE(window->StackedTabActive());
    EXPECT_TRUE(window->RawView()->isHidden());
    EXPECT_TRUE(window->StackedView()->hasFocus());

    // A tab the window selects itself runs none of this.
    window->ViewTab()->Select(0);
    EXPECT_TRUE(window->StackedTabActive());
}

TEST_F(WindowTest, InfoTabShowsThePageOfEachTab) {
    const std::pair<int, QWidget*> byTab[] = {{0, window->ProjectPage()},
                                              {1, window->ConclusionPage()},
                                              {2, window->ParameterPage()},
                                              {3, window->WaveformPage()},
                                              {4, window->DevicePage()}};
    for (auto [tab, page] : byTab) {
        window->InfoTab()->Bar()->setCurrentIndex(tab);
        for (auto [otherTab, other] : byTab) {
            EXPECT_EQ(other->isHidden(), otherTab != tab) << tab << " " << otherTab;
        }
    }
}

TEST_F(WindowTest, EnterAndEscCloseNothingAnywhere) {
    ShowActive();
    auto* site = window->ProjectPage()->Edit(id::kSiteEdit);
    site->setText("工地");
    QPlainTextEdit* remarks = window->RemarksEdit();
    remarks->setPlainText("abc");
    for (QWidget* target : {static_cast<QWidget*>(site), static_cast<QWidget*>(remarks),
                            static_cast<QWidget*>(window->FileList()),
                            static_cast<QWidget*>(window->StackedView())}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
        }
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->ProjectPage()->isVisible());
    }
    EXPECT_EQ(site->text(), "工地");
    EXPECT_EQ(remarks->toPlainText(), "abc");  // no line break either
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowTest, UpAndDownGoToTheFileListExceptInAPageBox) {
    ShowActive();
    for (QWidget* target : {static_cast<QWidget*>(window->RemarksEdit()),
                            static_cast<QWidget*>(window->StackedView())}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Down);
        EXPECT_TRUE(window->FileList()->hasFocus());
    }
    QLineEdit* speed = window->ParameterPage()->Edit(id::kWaveSpeedEdit);
    window->InfoTab()->Bar()->setCurrentIndex(2);
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Up);
    EXPECT_TRUE(speed->hasFocus());
}

TEST_F(WindowTest, ToolsNeedASelectedFile) {
    window->Command(id::kCmdZoomIn)->trigger();
    EXPECT_EQ(messages, QStringList{"请先选择文件！"});
    EXPECT_EQ(captions, QStringList{CKX7300Dlg::kTitle});
    EXPECT_FALSE(window->WaveModified());

    window->SetCurrentPath("/data/1.kxc");
    window->Command(id::kBtnZoomIn)->trigger();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(window->WaveModified());
}

TEST_F(WindowTest, EnterInTheLowPassBox) {
    ShowActive();
    window->InfoTab()->Bar()->setCurrentIndex(3);
    QLineEdit* lowPass = window->WaveformPage()->Edit(id::kLowPassEdit);
    lowPass->setFocus();
    QTest::keyClick(lowPass, Qt::Key_Return);
    EXPECT_EQ(messages, QStringList{"请先选择文件"});
    EXPECT_FALSE(window->WaveModified());

    window->SetCurrentPath("/data/1.kxc");
    QTest::keyClick(lowPass, Qt::Key_Return);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(window->WaveModified());
}

TEST_F(WindowTest, ExitAsksFirst) {
    ShowActive();
    answer = PromptAnswer::No;
    window->Command(id::kCmdExit)->trigger();
    EXPECT_EQ(messages, QStringList{"确定退出程序？"});
    EXPECT_EQ(captions, QStringList{"提示"});
    EXPECT_TRUE(window->isVisible());
    answer = PromptAnswer::Yes;
    window->Command(id::kCmdExit)->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, OptimizeTogglesThePressedButton) {
    QAction* optimize = window->Command(id::kBtnOptimize);
    optimize->trigger();
    EXPECT_TRUE(window->OptimizeOn());
    EXPECT_TRUE(optimize->isChecked());
    optimize->trigger();
    EXPECT_FALSE(window->OptimizeOn());
    EXPECT_FALSE(optimize->isChecked());
    EXPECT_TRUE(window->OptimizeTouched());
}

// The file commands reach the project the window owns, from the menu bar, the toolbar and the
// file list's menu alike.
TEST_F(WindowTest, FileCommandsReachTheProject) {
    filePrompts.folders = {std::nullopt, std::nullopt};
    filePrompts.openFiles = {std::nullopt};
    window->Command(id::kCmdOpenProject)->trigger();
    window->Command(id::kBtnOpen)->trigger();
    window->Command(id::kCmdListAddDataFiles)->trigger();
    EXPECT_TRUE(filePrompts.folders.empty());
    EXPECT_TRUE(filePrompts.openFiles.empty());
    EXPECT_EQ(filePrompts.Count("无效的目录或为空目录，请重新选择！"), 2);
}

}  // namespace
}  // namespace kx::ui
