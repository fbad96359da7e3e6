// The four waveform views on their own: what they paint (pixels of their pictures) and what
// their mouse and keys do.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <optional>

#include "render/all_view_render.h"
#include "view_test_util.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/pin_hua.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/tool_commands.h"

namespace kx {
namespace {

using namespace test;

// The stacked view 1024 x 600 pixels over a record of 1024 samples: one pixel per sample.
class StackedView : public ::testing::Test {
protected:
    void SetUp() override {
        ShowWithClientSize(&view, QSize(1024, 600));
        view.PlaceMarkersForRecord(rec);
        view.SetBackupWave(rec.waves[kStackedSlot]);
        view.ViewHooks().showReadout = [this](const CursorReadout& r) { readout = r; };
    }
    PileRecord rec = PeakRecord();
    CMyDieJia view;
    std::optional<CursorReadout> readout;
};

TEST_F(StackedView, ZeroLineAxisAndLargestSamplesAtZoomOneAndTwo) {
    QImage img = Picture(&view);
    EXPECT_GT(CountInRow(img, 225, kGrey), 200);        // dotted zero line
    EXPECT_GE(CountInRow(img, 450, kBlack), 1024 - 3);  // axis (markers cross it)
    EXPECT_EQ(img.pixel(100, 0), kBlack);               // the peak touches the top
    EXPECT_EQ(img.pixel(300, 449), kBlack);             // the trough reaches the axis
    EXPECT_EQ(CountInColumn(img, 300, kBlack, 452, 500), 0);

    view.RunViewCommand(kToolZoomIn);
    ASSERT_EQ(view.Zoom(), 2);
    img = Picture(&view);
    // Sample 300 is now at x = 600 and would be drawn at y = 675: it stops at the axis.
    EXPECT_GT(CountInk(img, QRect(598, 440, 4, 9)), 0);
    EXPECT_EQ(CountInk(img, QRect(590, 452, 20, 48)), 0);
    // Sample 100 (x = 200) leaves the window at the top instead.
    EXPECT_GT(CountInRow(img, 0, kBlack, 196, 202), 0);
}

TEST_F(StackedView, ZoomOutInAndRestore) {
    view.RunViewCommand(kToolZoomOut);
    EXPECT_EQ(view.Zoom(), 1);
    for (int i = 0; i < 3; ++i) {
        view.RunViewCommand(kToolZoomIn);
    }
    EXPECT_EQ(view.Zoom(), 8);
    view.RunViewCommand(kToolReverse);
    view.RunViewCommand(kToolIntegrate);
    ASSERT_NE(rec.waves[kStackedSlot], view.BackupWave());
    view.RunViewCommand(kToolRestore);
    EXPECT_EQ(view.Zoom(), 1);
    EXPECT_EQ(rec.waves[kStackedSlot], view.BackupWave());
}

TEST_F(StackedView, MarkersAndTheirColoursDefectNotAtZero) {
    const QRgb red = 0xffff0000, green = 0xff00ff00, blue = 0xff0000ff;
    MarkerState& m = view.Markers();
    m.topX = 101;
    m.bottomX = 500;
    m.defectX = 0;
    QImage img = Picture(&view);
    EXPECT_GT(CountInColumn(img, 101, red), 400);
    EXPECT_GT(CountInColumn(img, 500, blue), 400);
    for (int x : {0, 1, 250}) {
        EXPECT_EQ(CountInColumn(img, x, green), 0) << x;
    }
    // The pile bar between the markers, its bottom edge exclusive; nothing when reversed.
    const int e = (600 - 450) / 2;
    EXPECT_EQ(img.pixel(102, e + 430), kBlack);
    EXPECT_EQ(img.pixel(499, e + 469), kBlack);
    EXPECT_EQ(img.pixel(300, e + 470), kWhite);

    m.defectX = 250;
    img = Picture(&view);
    EXPECT_GT(CountInColumn(img, 250, green), 400);
    m.topX = 500;
    m.bottomX = 101;
    m.defectX = 0;
    img = Picture(&view);
    EXPECT_EQ(img.pixel(300, e + 450), kWhite);
}

TEST_F(StackedView, MarkersArePlacedForTheWidthEvenWhileHidden) {
    view.hide();
    view.resize(view.size() + QSize(-512, 0));
    view.PlaceMarkersForRecord(rec);
    EXPECT_EQ(view.ClientWidth(), 512);
    EXPECT_EQ(view.Markers().topX, 50);  // sample 101 at half a pixel per sample
    view.show();
    EXPECT_EQ(view.viewport()->width(), 512);
}

TEST_F(StackedView, NothingWithoutARecordAndSilenceIsAFlatLine) {
    CMyDieJia empty;
    ShowWithClientSize(&empty, QSize(400, 500));
    EXPECT_EQ(CountInk(Picture(&empty), QRect(0, 0, 400, 500)), 0);
    QTest::mouseClick(empty.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(empty.Markers().cursorX, 0);

    PileRecord zeros = ViewRecord(1024, [](int) { return 0; });
    view.PlaceMarkersForRecord(zeros);
    const QImage img = Picture(&view);
    EXPECT_GT(CountInRow(img, 225, kBlack), 1000);  // the curve lies on the zero line
}

TEST_F(StackedView, LeftArrowAtTheLeftEdge) {
    // N = 1024 in 512 pixels: pps 0.5, so the sample under x = -1 is -2 and no voltage is read.
    PileRecord dense = ViewRecord(1024, [](int i) { return i; });
    ShowWithClientSize(&view, QSize(512, 600));
    view.PlaceMarkersForRecord(dense);
    view.UpdateCursorReadout(0, 0);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(view.Markers().cursorX, -1);
    ASSERT_TRUE(readout);
    EXPECT_EQ(readout->timeText, "-40");
    EXPECT_FALSE(readout->voltageText);
    // N = 256 in 512 pixels: pps 2, trunc(-0.5) = 0, sample 0 is read.
    PileRecord sparse = ViewRecord(256, [](int) { return 8388608; });
    view.PlaceMarkersForRecord(sparse);
    view.UpdateCursorReadout(0, 0);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(readout->timeText, "-10");
    EXPECT_EQ(readout->voltageText, "3000.00");
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.Markers().cursorX, 1);
}

TEST_F(StackedView, DragShowsTheLiveValueUntilReleased) {
    const QRect liveText(600, 100, 150, 10);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(600, 300));
    QTest::mouseMove(view.viewport(), QPoint(600, 300));
    EXPECT_TRUE(view.Markers().dragging);
    EXPECT_GT(view.LiveSpeed(), 0);
    EXPECT_GT(CountInk(Picture(&view), liveText), 20);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(600, 300));
    EXPECT_FALSE(view.Markers().dragging);
    EXPECT_EQ(CountInk(Picture(&view), liveText), 0);
}

TEST_F(StackedView, HandDrawingOnlyWhileOptimizeIsOn) {
    bool optimizeOn = false;
    view.ViewHooks().optimizeOn = [&] { return optimizeOn; };
    const WaveSlot before = rec.waves[kStackedSlot];
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(500, 100));
    QTest::mouseMove(view.viewport(), QPoint(500, 100));
    EXPECT_EQ(rec.waves[kStackedSlot], before);
    optimizeOn = true;
    QTest::mouseMove(view.viewport(), QPoint(501, 100));
    // 125 pixels above the zero line at 225 / 2000 pixels per count: 1111 counts.
    EXPECT_EQ(rec.waves[kStackedSlot][501], 1111);
    EXPECT_EQ(rec.waves[kStackedSlot][503], 1111);
    EXPECT_EQ(rec.waves[kStackedSlot][504], before[504]);
    // Captured far outside the view: nothing is written outside the waveform.
    QTest::mouseMove(view.viewport(), QPoint(5000, 100));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(5000, 100));
}

TEST_F(StackedView, SmoothAsksForPointsAndCancelChangesNothing) {
    std::optional<int> answer;
    view.ViewHooks().askSmoothPoints = [&] { return answer; };
    const WaveSlot before = rec.waves[kStackedSlot];
    view.RunViewCommand(kToolSmooth);
    EXPECT_EQ(rec.waves[kStackedSlot], before);
    answer = 5;
    view.RunViewCommand(kToolSmooth);
    EXPECT_NE(rec.waves[kStackedSlot], before);
}

TEST(PinHua, PointsMustBeAboveZeroAndDigitsOnly) {
    CPinHua dialog;
    QStringList messages;
    dialog.SetPromptHandler([&](QWidget*, const QString& text, const QString&, ui::PromptButtons) {
        messages << text;
        return ui::PromptAnswer::Ok;
    });
    dialog.show();
    QTest::keyClicks(dialog.PointsEdit(), "a-0");
    EXPECT_EQ(dialog.PointsEdit()->text(), "0");
    dialog.accept();
    EXPECT_EQ(messages, QStringList{"平滑点数必需大于0！"});
    EXPECT_TRUE(dialog.isVisible());
    dialog.PointsEdit()->setText("7");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.PointsText(), "7");
}

// The raw view: eight bands of 150 pixels in a client area of 600 x 400, scrolled over 1200.
class RawView : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetRecord(&rec);
        ShowWithClientSize(&view, QSize(600, 400));
    }
    PileRecord rec = PeakRecord();
    CYuanShiBoXin view;
};

TEST_F(RawView, ClicksSelectTheBandUnderThemWhereverScrolled) {
    const QRgb selected = 0xff00ff19;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 150));
    EXPECT_EQ(view.SelectedBlow(), -1);  // a separator selects nothing
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 160));
    EXPECT_EQ(view.SelectedBlow(), 1);
    QImage img = Picture(&view);
    EXPECT_EQ(img.pixel(3, 150 + 4), selected);
    EXPECT_EQ(img.pixel(3, 4), kWhite);

    view.verticalScrollBar()->setValue(300);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(view.SelectedBlow(), 2);
    img = Picture(&view);
    EXPECT_EQ(img.pixel(3, 4), selected);  // "3#" at the top of the scrolled picture
}

TEST_F(RawView, DeletedBlowKeepsItsBandWithoutACurve) {
    const QRgb blue = 0xff0000ff;
    rec.waveAbsent[1] = true;
    const QImage img = Picture(&view);
    EXPECT_GT(CountInk(img, QRect(31, 1, 560, 148)), 0);  // band 0 has its curve
    int blueInBand1 = 0;
    // (Band 2's peak may reach row 299.)
    for (int y = 151; y < 299; ++y)
        blueInBand1 += CountInRow(img, y, blue);
    EXPECT_EQ(blueInBand1, 0);
    EXPECT_GT(CountInRow(img, 300, kBlack), 500);           // its separator
    EXPECT_GT(CountInRow(img, 150 + 74, kGrey), 100);       // its zero line
    EXPECT_GT(CountInColumn(img, 0, kBlack, 151, 180), 5);  // its dotted label box
}

TEST_F(RawView, NothingWithoutAFileOrSamples) {
    view.SetRecord(nullptr);
    EXPECT_EQ(CountInk(Picture(&view), QRect(0, 0, 600, 400)), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 160));
    EXPECT_EQ(view.SelectedBlow(), -1);
    PileRecord none = ViewRecord(0, [](int) { return 0; });
    view.SetRecord(&none);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 160));
    EXPECT_EQ(view.SelectedBlow(), -1);
}

TEST_F(RawView, KeysAskForTheBlowCommands) {
    QList<int> asked;
    view.ViewHooks().command = [&](int id) { asked << id; };
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_X);
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_B);
    EXPECT_EQ(asked, (QList<int>{32778, 32778, 32779}));
}

TEST(AllView, ThreeFilesGiveThreeBandsWithTheirNames) {
    CAllBoXin view;
    view.SetRowSource([](int row) {
        return CAllBoXin::Row{QString("%1.kxc").arg(row + 1), nullptr};
    });
    view.SetRowCount(3);
    ShowWithClientSize(&view, QSize(600, 500));
    const QImage img = Picture(&view);
    for (int top : {0, 150, 300}) {
        EXPECT_EQ(CountInk(img, QRect(0, top + 1, 100, 4)), 0) << top;
        EXPECT_GT(CountInk(img, QRect(5, top + 5, 40, 12)), 5) << top;
        EXPECT_GT(CountInRow(img, top + 150, kBlack), 590) << top;
    }
    EXPECT_EQ(CountInk(img, QRect(0, 452, 600, 48)), 0);  // no fourth band
}

TEST(AllView, ExposedBandsArePaintedExactlyAsInTheWholePicture) {
    PileRecord a = PeakRecord();
    PileRecord b = ViewRecord(500, [](int i) { return (i % 50) * 100 - 2500; });
    const AllViewRowSource rows = [&](int row) {
        return AllViewRow{QString("%1.kxc").arg(row + 1), row % 2 ? &b : &a};
    };
    auto paint = [&](const QRect& exposed) {
        QImage img(700, 1500, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        RenderAllView(p, 700, exposed, 10, rows);
        return img;
    };
    const QImage whole = paint(QRect(0, 0, 700, 1500));
    // Row 299 holds only the peak of band 2, which reaches one row above its band.
    for (const QRect& exposed : {QRect(0, 290, 700, 20), QRect(0, 299, 700, 1),
                                 QRect(0, 455, 700, 400), QRect(0, 0, 700, 1)}) {
        const QImage part = paint(exposed);
        EXPECT_EQ(part.copy(exposed), whole.copy(exposed)) << exposed.top();
    }
}

TEST(SpectrumView, ZoomAndCursorReadings) {
    // 20 cycles in 1024 samples: the peak at entry 20.
    PileRecord rec = ViewRecord(1024, [](int i) {
        return static_cast<int32_t>(
            std::lround(1e6 * std::sin(2 * 3.14159265358979 * 20 * i / 1024)));
    });
    CMyPinPu view;
    view.SetHooks({nullptr, [] { return std::string("3800"); }});
    ShowWithClientSize(&view, QSize(1024, 400));
    view.ComputeSpectrum(rec);
    EXPECT_EQ(view.Spectrum()[20], 16384);
    QImage img = Picture(&view);
    EXPECT_EQ(img.pixel(20, 0), kBlack);  // the peak reaches the top

    view.ZoomOut();
    EXPECT_EQ(view.Zoom(), 1);
    view.ZoomIn();
    view.ZoomIn();
    view.ZoomIn();
    EXPECT_EQ(view.Zoom(), 8);
    view.ZoomOut();
    EXPECT_EQ(view.Zoom(), 4);
    view.ResetZoom();
    view.ZoomIn();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(200, 50));
    // Zoom 2: entry 100 under x = 200, 100 * 1e6 / (1024 * 20) Hz.
    EXPECT_EQ(view.Readout().frequencyText, "H = 4882.81");
    EXPECT_EQ(view.Readout().lengthText, "L = 0.39");
    img = Picture(&view);
    EXPECT_GT(CountInk(img, QRect(1024 - 200, 130, 120, 12)), 10);
    // A new selection starts at zoom 1.
    view.ComputeSpectrum(rec);
    EXPECT_EQ(view.Zoom(), 1);
    view.Clear();
    EXPECT_EQ(CountInk(Picture(&view), QRect(0, 0, 1024, 400)), 0);
}

}  // namespace
}  // namespace kx
