// The command table and the window's commands: every trigger of a command reaches it once,
// the guards and their messages, the marker commands with their boxes, the blow commands,
// the spectrum zoom, and the commands carried out by others.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <set>

#include "res/ids.h"
#include "ui/bo_xing_xx.h"
#include "ui/command_table.h"
#include "ui/image_tool_bar.h"
#include "ui/my_tool_bar.h"
#include "ui/zhong_ti_xx.h"
#include "view_test_util.h"
#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/messages.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

// Records the handlers the table runs.
class FakeTarget : public CommandTarget {
public:
    bool fileSelected = false;
    bool stackedTab = true;
    QStringList calls;
    QStringList messages;

    bool HasFileSelected() const override { return fileSelected; }
    bool StackedTabActive() const override { return stackedTab; }
    void ShowMessage(const QString& text) override { messages << text; }
    void ImportRawData() override { calls << "import"; }
    void OpenProject() override { calls << "open"; }
    void SaveRecord() override { calls << "save"; }
    void SaveRecordAs() override { calls << "save as"; }
    void ExportWordReport() override { calls << "word"; }
    void AddToPrintList() override { calls << "add print"; }
    void OpenPrintSettings() override { calls << "print settings"; }
    void OpenPrintPreview() override { calls << "preview"; }
    void ExportPdf() override { calls << "pdf"; }
    void UnifySiteAndUnit() override { calls << "unify"; }
    void ExitProgram() override { calls << "exit"; }
    void RemoveFromPrintList() override { calls << "remove print"; }
    void AddDataFiles() override { calls << "add files"; }
    void RemoveFromDataList() override { calls << "remove row"; }
    void DeleteBlow() override { calls << "delete blow"; }
    void UndoDeleteBlow() override { calls << "undo blow"; }
    void SetPileTop() override { calls << "top"; }
    void SetDefect() override { calls << "defect"; }
    void SetPileBottom() override { calls << "bottom"; }
    void SetLengthFixed() override { calls << "length fixed"; }
    void SetSpeedFixed() override { calls << "speed fixed"; }
    void ApplyViewCommand(int viewCommand) override { calls << QString::number(viewCommand); }
    void RestackWave() override { calls << "restack"; }
    void ToggleOptimize() override { calls << "optimize"; }
    void SpectrumZoomIn() override { calls << "spectrum in"; }
    void SpectrumZoomOut() override { calls << "spectrum out"; }
    void SpectrumResetZoom() override { calls << "spectrum reset"; }
    void ShowAbout() override { calls << "about"; }
    void AmplifyWave() override { calls << "amplify"; }
    void FindPileBottom() override { calls << "find toe"; }
    void ToggleDepthScale() override { calls << "depth scale"; }
    void OpenUserGuide() override { calls << "guide"; }
    void OpenRecentProject(int index) override { calls << QString("recent %1").arg(index); }
    void UndoEdit() override { calls << "undo"; }
    void RedoEdit() override { calls << "redo"; }
    void ToggleSpectrumAxis() override { calls << "spectrum axis"; }
    void ToggleStackedAxes() override { calls << "stacked axes"; }
    void ShowSiteWaveSpeed() override { calls << "site wave speed"; }
};

TEST(CommandTable, EveryIdBelongsToOneOperation) {
    FakeTarget target;
    CommandTable table(target);
    std::set<int> seen;
    for (const CommandEntry& e : table.Entries()) {
        std::vector<int> ids = e.otherIds;
        if (e.menuId != 0) {
            ids.push_back(e.menuId);
        }
        ASSERT_FALSE(ids.empty()) << e.operation;
        for (int commandId : ids) {
            EXPECT_TRUE(seen.insert(commandId).second) << commandId << " twice";
            EXPECT_EQ(table.Find(commandId), &e) << commandId;
        }
    }
    EXPECT_EQ(table.Find(0), nullptr);
    EXPECT_FALSE(table.Execute(12345));
    EXPECT_TRUE(target.calls.isEmpty());
}

TEST(CommandTable, GuardsSayTheirMessageAndRunNothing) {
    struct Case {
        int commandId;
        bool fileSelected, stackedTab;
        QString message;  // empty: none
        QString call;     // empty: the handler does not run
    } cases[] = {
        {id::kCmdZoomIn, false, true, "请先选择文件！", ""},
        {id::kBtnZoomIn, true, true, "", "10002"},
        {id::kCmdSmooth, true, false, "", "10009"},  // tools ignore the tab
        {id::kCmdRestack, false, true, "请先选择文件！", ""},
        {id::kCmdRawDeleteBlow, false, true, "请先选择文件！", ""},
        {id::kBtnUndoDelete, true, true, "", "undo blow"},
        {id::kCmdPileTop, false, false, "请先选择文件！", ""},
        {id::kBtnPileTop, true, false, "", ""},  // another tab: silently nothing
        {id::kBtnPileBottom, true, true, "", "bottom"},
        {id::kCmdSave, false, true, "请先添加文件！", ""},
        {id::kBtnAddToPrint, false, true, "请先添加文件！", ""},
        {id::kCmdListAddToPrintList, true, true, "", "add print"},
        {id::kCmdLengthFixed, false, true, "", "length fixed"},  // no file needed
        {id::kCmdSpectrumZoomOut, false, true, "", "spectrum out"},
        {id::kCmdListRemoveFromPrintList, false, true, "", "remove print"},
        {id::kBtnAmplify, false, true, "请先选择文件！", ""},
        {id::kCmdAmplify, true, false, "", "amplify"},
        {id::kCmdFindPileToe, false, true, "请先选择文件！", ""},
        {id::kCmdFindPileToe, true, false, "", "find toe"},  // it says why itself
        {id::kCmdDepthScale, false, false, "", "depth scale"},
    };
    for (const Case& c : cases) {
        FakeTarget target;
        target.fileSelected = c.fileSelected;
        target.stackedTab = c.stackedTab;
        CommandTable table(target);
        EXPECT_TRUE(table.Execute(c.commandId));
        EXPECT_EQ(target.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.commandId;
        EXPECT_EQ(target.calls, c.call.isEmpty() ? QStringList() : QStringList{c.call})
            << c.commandId;
    }
}

// The window with one record selected the way the workspace selects it.
class Commands : public WindowTest {
protected:
    void Select() {
        ShowActive();
        rec.testDate = "2023-05-17";
        rec.testTime = "08:30:15";
        window->SetCurrentPath("/site/1.kxc");
        window->SetCurrentRecord(&rec);
        // The snapshots 撤销删除波形 brings the blows back from.
        window->Project()->GetWorkspace().m_savedWaves = rec.waves;
        window->Project()->GetWorkspace().m_savedRecord = rec;
        window->StackedView()->PlaceMarkersForRecord(rec);
        ASSERT_TRUE(window->ShowRecordOnPages());
        window->SpectrumView()->ComputeSpectrum(rec);
        window->StackedView()->SetBackupWave(rec.waves[kStackedSlot]);
        window->SetFileCommandsEnabled(true);
    }
    QLineEdit* Box(InfoPage* page, int boxId) { return page->Edit(boxId); }
    // A left click in the stacked view at client x.
    void ClickStacked(int x) {
        QTest::mouseClick(window->StackedView()->viewport(), Qt::LeftButton, {}, QPoint(x, 50));
    }
    QAction* InMenu(QMenu* menu, int commandId) {
        for (QAction* a : menu->actions()) {
            if (a->objectName() == QString::number(commandId))
                return a;
        }
        return nullptr;
    }
    PileRecord rec = test::PeakRecord();
};

TEST_F(Commands, EveryTriggerOfTheWindowReachesTheTableAndBack) {
    const CommandTable& table = window->Commands();
    for (const CommandEntry& e : table.Entries()) {
        for (int commandId : e.otherIds) {
            EXPECT_NE(window->Command(commandId), nullptr) << e.operation << " " << commandId;
        }
        if (e.menuId != 0) {
            EXPECT_NE(window->Command(e.menuId), nullptr) << e.operation;
        }
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        bool numeric = false;
        const int commandId = action->objectName().toInt(&numeric);
        if (numeric) {
            EXPECT_NE(table.Find(commandId), nullptr) << commandId;
        }
    }
}

TEST_F(Commands, SameToolFromMenuContextMenuAndToolbarOncePerPick) {
    Select();
    const WaveSlot original = rec.waves[kStackedSlot];
    auto reversed = [&] {
        WaveSlot r = original;
        for (int i = 0; i < rec.SampleCount(); ++i)
            r[static_cast<size_t>(i)] = -r[static_cast<size_t>(i)];
        return r;
    }();
    QMenu* context = window->StackedView()->ContextMenu();
    ASSERT_NE(context, nullptr);
    QAction* picks[] = {window->Command(id::kCmdReverse), InMenu(context, id::kCmdReverse),
                        window->Command(id::kBtnReverse)};
    for (int pick = 0; pick < 3; ++pick) {
        window->Project()->GetWorkspace().m_waveModified = false;
        ASSERT_NE(picks[pick], nullptr);
        picks[pick]->trigger();
        EXPECT_EQ(rec.waves[kStackedSlot], pick % 2 == 0 ? reversed : original) << pick;
        EXPECT_TRUE(window->WaveModified());
    }
    // The context menu is the 工具 menu: its eleven tools, then 指数放大 and 平均波速, each
    // after a separator.
    EXPECT_EQ(context->actions().size(), 15);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Commands, MarkerKeysPlaceTheMarkersAndWriteTheBoxes) {
    Select();
    CMyDieJia* view = window->StackedView();
    const MarkerState& m = view->Markers();
    const int top = m.topX;
    view->setFocus();

    ClickStacked(top - 5);
    QTest::keyClick(view, Qt::Key_D);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kBottomBeforeTop)});

    ClickStacked(top + 300);
    QTest::keyClick(view, Qt::Key_D);
    EXPECT_EQ(m.bottomX, top + 300);
    // Length fixed: the speed follows the markers, stored as the box shows it.
    const std::string speed =
        Box(window->ParameterPage(), id::kWaveSpeedEdit)->text().toStdString();
    EXPECT_EQ(speed,
              FormatFixed2(
                  F32(2 * 10.0 / TravelTimeFromPixels(top, top + 300, view->ClientWidth(), 20))));
    EXPECT_EQ(rec.waveSpeed, F32(BoxNumber(speed)));

    ClickStacked(top + 100);
    QTest::keyClick(view, Qt::Key_S);
    EXPECT_EQ(m.defectX, top + 100);
    EXPECT_EQ(Box(window->ParameterPage(), id::kDefectPositionEdit)->text().toStdString(),
              FormatFixed2(DefectDepth(rec, view->ClientWidth())));

    ClickStacked(top + 400);
    QTest::keyClick(view, Qt::Key_S);
    EXPECT_EQ(m.defectX, 0);
    EXPECT_EQ(messages.last(), QString::fromUtf8(kDefectOutsidePile));

    // 桩顶 takes the time the cursor readout wrote into box 1022.
    ClickStacked(top + 20);
    const QString time = Box(window->WaveformPage(), id::kCursorTimeEdit)->text();
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(m.topX, top + 20);
    EXPECT_EQ(m.bottomX, top + 320);
    EXPECT_EQ(QString::number(rec.pileTopTimeUs), time);
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(Commands, MarkerCommandsDoNothingOnTheRawTab) {
    Select();
    window->ViewTab()->Bar()->setCurrentIndex(0);
    const MarkerState before = window->StackedView()->Markers();
    const PileRecord recBefore = rec;
    window->StackedView()->Markers().cursorX = before.topX + 50;
    for (int commandId : {id::kBtnPileTop, id::kCmdPileTop, id::kCmdDefect, id::kBtnPileBottom}) {
        window->Command(commandId)->trigger();
    }
    EXPECT_EQ(window->StackedView()->Markers().topX, before.topX);
    EXPECT_EQ(window->StackedView()->Markers().bottomX, before.bottomX);
    EXPECT_EQ(rec, recBefore);
    EXPECT_TRUE(messages.isEmpty());
    // ...but says why in the status bar.
    EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8(kMarkersNeedStackedTab));
}

TEST_F(Commands, FixModesAndTheTypedDefectPosition) {
    Select();
    QLineEdit* length = Box(window->ParameterPage(), id::kPileLengthEdit);
    QLineEdit* speed = Box(window->ParameterPage(), id::kWaveSpeedEdit);
    speed->setText("3000");
    window->Command(id::kCmdSpeedFixed)->trigger();
    EXPECT_TRUE(window->Command(id::kCmdSpeedFixed)->isChecked());
    EXPECT_TRUE(length->isEnabled());
    EXPECT_FALSE(speed->isEnabled());
    // 3000 m/s over the record's 8000 - 2020 µs: 8.97 m.
    EXPECT_EQ(rec.waveSpeed, 3000.0f);
    EXPECT_EQ(length->text(), "8.97");
    window->Command(id::kCmdLengthFixed)->trigger();
    EXPECT_FALSE(length->isEnabled());
    EXPECT_TRUE(speed->isEnabled());

    // Enter in box 1019 puts the defect at the typed depth, without a message.
    QLineEdit* defect = Box(window->ParameterPage(), id::kDefectPositionEdit);
    window->InfoTab()->Bar()->setCurrentIndex(2);
    defect->setText("2.5");
    defect->setFocus();
    QTest::keyClick(defect, Qt::Key_Return);
    const float f = F32(2.5 / rec.pileLength);
    EXPECT_EQ(rec.defectTimeUs,
              F32(TruncToInt32((rec.pileBottomTimeUs - rec.pileTopTimeUs) * static_cast<double>(f) +
                               rec.pileTopTimeUs)));
    EXPECT_GT(window->StackedView()->Markers().defectX, window->StackedView()->Markers().topX);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Commands, OptimizeTwiceDrawsOnlyWhileOn) {
    Select();
    QWidget* viewport = window->StackedView()->viewport();
    const WaveSlot before = rec.waves[kStackedSlot];
    window->Command(id::kBtnOptimize)->trigger();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(200, 60));
    QTest::mouseMove(viewport, QPoint(201, 60));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(201, 60));
    const WaveSlot drawn = rec.waves[kStackedSlot];
    EXPECT_NE(drawn, before);
    window->Command(id::kBtnOptimize)->trigger();
    EXPECT_FALSE(window->Command(id::kBtnOptimize)->isChecked());
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(400, 60));
    QTest::mouseMove(viewport, QPoint(401, 60));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(401, 60));
    EXPECT_EQ(rec.waves[kStackedSlot], drawn);
    EXPECT_TRUE(window->OptimizeTouched());
}

TEST_F(Commands, BlowCommandsNeedASelectedBlowFromMenuKeysAndToolbar) {
    Select();
    // No blow selected: the raw view's tab comes forward, nothing changes.
    const PileRecord before = rec;
    window->Command(id::kBtnDeleteBlow)->trigger();
    EXPECT_EQ(window->ViewTab()->CurrentSelection(), 0);
    EXPECT_FALSE(window->RawView()->isHidden());
    EXPECT_TRUE(window->StackedView()->isHidden());
    EXPECT_TRUE(window->StackedTabActive());  // a tab the window selects itself
    EXPECT_EQ(rec, before);

    CYuanShiBoXin* raw = window->RawView();
    QTest::mouseClick(raw->viewport(), Qt::LeftButton, {}, QPoint(10, 160));
    ASSERT_EQ(raw->SelectedBlow(), 1);
    window->Project()->GetWorkspace().m_waveModified = false;
    QTest::keyClick(raw, Qt::Key_X);
    EXPECT_TRUE(rec.waveAbsent[1]);
    EXPECT_TRUE(window->WaveModified());
    QMenu* menu = raw->ContextMenu();
    ASSERT_NE(menu, nullptr);
    InMenu(menu, id::kCmdRawUndoDeleteBlow)->trigger();
    EXPECT_FALSE(rec.waveAbsent[1]);
    EXPECT_EQ(rec.waves[1], before.waves[1]);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Commands, SpectrumZoomFromItsMenu) {
    Select();
    QMenu* menu = window->SpectrumView()->ContextMenu();
    ASSERT_NE(menu, nullptr);
    CMyPinPu* spectrum = window->SpectrumView();
    InMenu(menu, id::kCmdSpectrumZoomOut)->trigger();
    EXPECT_EQ(spectrum->Zoom(), 1);
    for (int expected : {2, 4, 8}) {
        InMenu(menu, id::kCmdSpectrumZoomIn)->trigger();
        EXPECT_EQ(spectrum->Zoom(), expected);
    }
    InMenu(menu, id::kCmdSpectrumZoomOut)->trigger();
    EXPECT_EQ(spectrum->Zoom(), 4);
    InMenu(menu, id::kCmdSpectrumReset)->trigger();
    EXPECT_EQ(spectrum->Zoom(), 1);
}

TEST_F(Commands, ToolsToolbarShowsTextsOnlyOnWideButtons) {
    const CMytoolBar* tools = window->ToolsToolBar();
    for (int commandId : CMytoolBar::Layout()) {
        auto* button = tools->findChild<QToolButton*>(QString::number(commandId));
        ASSERT_NE(button, nullptr) << commandId;
        EXPECT_EQ(button->size(), QSize(100, 25));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextOnly);
        EXPECT_TRUE(button->icon().isNull());
        EXPECT_FALSE(button->text().isEmpty());
    }
}

TEST_F(Commands, MainToolbarAndMenuItemsShowTenImagesOfTheirOwn) {
    QList<QImage> images;
    for (int commandId : CImageToolBar::Layout()) {
        if (commandId == 0)
            continue;
        const QIcon icon = window->Command(commandId)->icon();
        ASSERT_FALSE(icon.isNull()) << commandId;
        images << icon.pixmap(22, 22).toImage();
    }
    ASSERT_EQ(images.size(), 10);
    for (int i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].size(), QSize(22, 22));
        for (int j = i + 1; j < images.size(); ++j) {
            EXPECT_NE(images[i], images[j]) << i << " " << j;
        }
    }
    // 打开工程, 保存, 另存为, 输出到WORD, 退出; 删除波型, 撤销删除波形.
    for (int commandId : {id::kCmdOpenProject, id::kCmdSave, id::kCmdSaveAs, id::kCmdWordReport,
                          id::kCmdExit, id::kCmdDeleteBlow, id::kCmdUndoDeleteBlow}) {
        EXPECT_FALSE(window->Command(commandId)->icon().isNull()) << commandId;
    }
    EXPECT_TRUE(window->Command(id::kCmdLowPass)->icon().isNull());
}

}  // namespace
}  // namespace kx::ui
