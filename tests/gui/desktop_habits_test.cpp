// The habits of a desktop program: 撤销/重做 of a pile's edits, the standard shortcuts beside the
// letter keys, Home/End in the list, a double click on 所有波型, the mouse wheel.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QWheelEvent>
#include <cmath>

#include "core/workspace_test_util.h"
#include "res/ids.h"
#include "ui/file_notice.h"
#include "ui/gong_cheng_xx.h"
#include "ui/kx7300_app.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/project_controller.h"
#include "ui/resource_images.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/stacked_view_geometry.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

// Pile `number`: 1024 samples at 10 µs, its blow at sample 49, echoes at 285 and 680, four
// blows a little apart so that deleting one changes the stack.
PileRecord Pile(const std::string& number) {
    PileRecord r = test::ProjectRecord(number, 1024);
    r.sampleIntervalUs = 10;
    r.pileLength = 12;
    r.waveSpeed = 3800;
    r.pileBottomTimeUs = 6000;
    r.defectTimeUs = 0;
    r.integrityClass = "I";
    for (int slot = 0; slot <= kStackedSlot; ++slot) {
        for (int i = 0; i < 1024; ++i) {
            const auto bump = [&](int centre, double height) {
                return height * std::exp(-0.5 * std::pow((i - centre) / 6.0, 2));
            };
            r.waves[slot][i] = static_cast<int32_t>(
                std::lround(bump(49, 100000 + 1000 * slot) + bump(285, -20000) + bump(680, 40000)));
        }
        r.waveAbsent[slot] = slot >= 4 && slot < kStackedSlot;
    }
    return r;
}

class HabitsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = test::TestDir();
        for (const char* n : {"1", "2", "3"}) {
            test::WriteFile(dir + "/" + n + ".kxc", test::AnalysisFixture(Pile(n)));
        }
        window->Project()->OpenProjectAt(QString::fromStdString(dir));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Loading(); }, 10000));
        ShowActive();
        window->Project()->SelectFile(QString::fromStdString(dir + "/1.kxc"));
        ASSERT_NE(Record(), nullptr);
    }
    PileRecord* Record() { return window->Project()->CurrentRecord(); }
    CMyDieJia* View() { return window->StackedView(); }
    QLineEdit* Box(InfoPage* page, int id) { return page->Edit(id); }
    void ClickSample(int i) {
        const QPoint at(SampleX(i, PixelsPerSample(View()->ClientWidth(), 1024), View()->Zoom()),
                        300);
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, at);
    }
    void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);  // the edit is finished as the focus moves on
    }
    int CurrentRow() { return window->Project()->GetWorkspace().m_currentIndex; }

    std::string dir;
};

// Each edit is a step: Ctrl+Z takes them back one by one, Ctrl+Y brings them again, and
// another pile starts with none.
TEST_F(HabitsTest, UndoAndRedoStepThroughThePilesEdits) {
    const PileRecord original = *Record();
    QLineEdit* tester = Box(window->ProjectPage(), id::kTesterEdit);
    QLineEdit* speed = Box(window->ParameterPage(), id::kWaveSpeedEdit);
    QAction* undo = window->Command(id::kCmdUndo);
    QAction* redo = window->Command(id::kCmdRedo);
    EXPECT_FALSE(undo->isEnabled());

    Type(tester, "Zhang");  // a page edit
    ClickSample(680);       // a marker
    QTest::keyClick(View(), Qt::Key_D);
    window->Command(id::kCmdReverse)->trigger();  // a tool
    window->RawView()->SetSelectedBlow(0);        // a blow deleted
    window->Command(id::kCmdDeleteBlow)->trigger();
    const PileRecord edited = *Record();
    const QString editedSpeed = speed->text();
    ASSERT_TRUE(edited.waveAbsent[0]);
    ASSERT_NE(edited.pileBottomTimeUs, original.pileBottomTimeUs);
    EXPECT_TRUE(undo->isEnabled());

    struct Back {
        const char* step;
        std::function<void()> check;
    } steps[] = {
        {"blow", [&] { EXPECT_FALSE(Record()->waveAbsent[0]); }},
        {"tool", [&] { EXPECT_EQ(Record()->waves[kStackedSlot], original.waves[kStackedSlot]); }},
        {"marker",
         [&] {
             EXPECT_EQ(Record()->pileBottomTimeUs, original.pileBottomTimeUs);
             EXPECT_EQ(Record()->waveSpeed, original.waveSpeed);
             EXPECT_EQ(speed->text(), "3800.00");
         }},
        {"page", [&] { EXPECT_EQ(tester->text(), QString::fromStdString(original.tester)); }},
    };
    for (const Back& b : steps) {
        SCOPED_TRACE(b.step);
        QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);
        b.check();
    }
    EXPECT_FALSE(undo->isEnabled());
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(View(), Qt::Key_Y, Qt::ControlModifier);
    }
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(Record()->waves, edited.waves);
    EXPECT_EQ(Record()->waveAbsent, edited.waveAbsent);
    EXPECT_EQ(Record()->pileBottomTimeUs, edited.pileBottomTimeUs);
    EXPECT_EQ(speed->text(), editedSpeed);
    EXPECT_EQ(tester->text(), "Zhang");

    // Another pile (saving the edits first) has no steps of its own yet.
    filePrompts.yesNo.push_back(true);
    window->Project()->SelectFile(QString::fromStdString(dir + "/2.kxc"));
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

// The desktop's keys run the commands; the program's letters work only without a modifier.
TEST_F(HabitsTest, StandardShortcutsAndPlainLetterKeys) {
    ClickSample(680);
    const int32_t bottom = Record()->pileBottomTimeUs;
    QTest::keyClick(View(), Qt::Key_D, Qt::ControlModifier);  // no shortcut: nothing
    EXPECT_EQ(Record()->pileBottomTimeUs, bottom);
    QTest::keyClick(View(), Qt::Key_D);
    EXPECT_NE(Record()->pileBottomTimeUs, bottom);

    QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);  // 保存, not the defect marker
    EXPECT_EQ(Record()->defectTimeUs, 0.0f);
    EXPECT_EQ(filePrompts.Count("保存成功！"), 1);
    PileRecord saved;
    ASSERT_TRUE(saved.ReadTestFile(nullptr, dir + "/1.kxc"));
    EXPECT_EQ(saved.pileBottomTimeUs, Record()->pileBottomTimeUs);

    struct Case {
        int commandId;
        QKeySequence keys;
    } cases[] = {
        {id::kCmdOpenProject, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {id::kCmdSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {id::kCmdSaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {id::kCmdPrintPreview, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {id::kCmdUserGuide, QKeySequence(Qt::Key_F1)},
        {id::kCmdExit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {id::kCmdUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {id::kCmdRedo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(window->Command(c.commandId)->shortcuts().contains(c.keys)) << c.commandId;
    }

    // Ctrl+Q in the list quits (after asking), it does not take the pile into the print list.
    window->FileList()->setFocus();
    answer = PromptAnswer::No;
    QTest::keyClick(window->FileList(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(messages.contains("确定退出程序？"));
    EXPECT_TRUE(window->Project()->GetWorkspace().m_printList.empty());
    QTest::keyClick(window->FileList(), Qt::Key_Q);
    EXPECT_EQ(window->Project()->GetWorkspace().m_printList.size(), 1u);
}

TEST_F(HabitsTest, HomeEndAndADoubleClickOnAllWaveformsOpenPiles) {
    CMylistCtrl* list = window->FileList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(CurrentRow(), 2);
    EXPECT_EQ(list->FirstSelectedRow(), 2);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(CurrentRow(), 0);

    window->ShowViewTab(3);  // 所有波型
    CAllBoXin* all = window->AllView();
    QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, QPoint(50, 150 + 75));
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_EQ(list->FirstSelectedRow(), 1);
    EXPECT_EQ(window->ViewTab()->CurrentSelection(), 1);  // shown on 叠加波型
    EXPECT_TRUE(window->StackedTabActive());
}

// The wheel zooms the stacked view as 放大/缩小 do, the markers staying on their times.
TEST_F(HabitsTest, WheelZoomKeepsTheMarkersOnTheirSamples) {
    const auto wheel = [&](int delta) {
        const QPointF at(200, 200);
        QWheelEvent event(at, View()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(View()->viewport(), &event);
    };
    wheel(120);
    EXPECT_EQ(View()->Zoom(), 2);
    const MarkerState& m = View()->Markers();
    EXPECT_EQ(m.topX, MarkerPixelsForTimes(*Record(), View()->ClientWidth() * 2).topX);
    ClickSample(680);
    QTest::keyClick(View(), Qt::Key_D);
    EXPECT_NEAR(Record()->pileBottomTimeUs, 6800, 10);
    wheel(-120);
    EXPECT_EQ(View()->Zoom(), 1);
    EXPECT_NEAR(m.bottomX, MarkerPixelsForTimes(*Record(), View()->ClientWidth()).bottomX, 1);
}

// The status bar names the project, marks a pile with unsaved changes, and after 保存 says
// where the file went, with buttons that open it; when nothing opens it, it says where it is.
TEST_F(HabitsTest, TheStatusBarTellsTheProjectTheUnsavedPileAndTheSavedFile) {
    EXPECT_TRUE(window->ProjectLabel()->text().contains(
        QDir::toNativeSeparators(QString::fromStdString(dir))));
    QLabel* unsaved = window->UnsavedLabel();
    EXPECT_TRUE(unsaved->isHidden());
    ClickSample(680);
    QTest::keyClick(View(), Qt::Key_D);
    EXPECT_FALSE(unsaved->isHidden());
    QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);  // back as it was read
    EXPECT_TRUE(unsaved->isHidden());
    QTest::keyClick(View(), Qt::Key_D);
    EXPECT_FALSE(unsaved->isHidden());

    window->Command(id::kCmdSave)->trigger();
    EXPECT_TRUE(unsaved->isHidden());
    CFileNotice* notice = window->FileNotice();
    const QString path = QString::fromStdString(dir + "/1.kxc");
    EXPECT_FALSE(notice->isHidden());
    EXPECT_TRUE(notice->Text().contains(QDir::toNativeSeparators(path)));
    QStringList opened;
    bool opens = true;
    notice->SetOpener([&](const QString& what) {
        opened << what;
        return opens;
    });
    notice->OpenFolderButton()->click();
    notice->OpenFileButton()->click();
    EXPECT_EQ(opened, (QStringList{QString::fromStdString(dir), path}));
    opens = false;
    notice->OpenFileButton()->click();
    EXPECT_TRUE(notice->Text().contains("没有程序能打开"));
    EXPECT_TRUE(notice->Text().contains(QDir::toNativeSeparators(path)));
}

}  // namespace
}  // namespace kx::ui

namespace kx::ui {
namespace {

// Qt's own dialogs speak Chinese once the program has installed Qt's translations.
TEST(QtChinese, TheStandardButtonsAndFileDialogsSpeakChinese) {
    QTranslator* chinese = InstallQtChinese(*QCoreApplication::instance());
    ASSERT_NE(chinese, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "取消");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "文件名称(&N)：");
    QCoreApplication::removeTranslator(chinese);  // the other tests see Qt as it comes
    delete chinese;
}

}  // namespace
}  // namespace kx::ui

namespace kx::ui {
namespace {

// On a screen scaled by 2 the toolbar images are drawn at twice the pixels, not blown up.
TEST(ScaledScreen, ToolImagesAreDrawnAtTheScreensPixelRatio) {
    for (int image : {id::kBitmapOpen, id::kBitmapPileTop, id::kBitmapOptimize}) {
        const QIcon icon = ResourceIcon(image);
        const QPixmap normal = icon.pixmap(QSize(22, 22), 1.0);
        const QPixmap sharp = icon.pixmap(QSize(22, 22), 2.0);
        ASSERT_EQ(normal.size(), QSize(22, 22));
        EXPECT_EQ(normal.toImage(), ResourceBitmap(image).toImage());
        ASSERT_EQ(sharp.size(), QSize(44, 44));
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        const QImage blownUp = normal.toImage().scaled(44, 44);
        EXPECT_NE(sharp.toImage().convertToFormat(blownUp.format()), blownUp) << image;
    }
    EXPECT_TRUE(ResourceIcon(12345).isNull());
}

}  // namespace
}  // namespace kx::ui
