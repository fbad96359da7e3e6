// The markers in the window at two window sizes and zoomed: a marker placed on a sample records
// that sample's time, the lines follow the size and the zoom, and the saved file holds times
// that agree with the saved speed.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <cmath>

#include "core/workspace_test_util.h"
#include "res/ids.h"
#include "ui/project_controller.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/pile_markers.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/stacked_view_geometry.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

constexpr int kInterval = 10;

// 12 m, 1024 samples at 10 µs: the blow peaks at sample 49 (pile top at sample 50, 500 µs),
// echoes at samples 285 and 680.
PileRecord EchoRecord() {
    PileRecord r = test::ProjectRecord("3", 1024);
    r.sampleIntervalUs = kInterval;
    r.pileLength = 12;
    r.waveSpeed = 3800;
    r.pileBottomTimeUs = 6000;
    r.defectTimeUs = 0;
    for (int i = 0; i < 1024; ++i) {
        const auto bump = [&](int centre, double height) {
            return height * std::exp(-0.5 * std::pow((i - centre) / 6.0, 2));
        };
        r.waves[kStackedSlot][static_cast<size_t>(i)] = static_cast<int32_t>(
            std::lround(bump(49, 100000) + bump(285, -20000) + bump(680, 40000)));
    }
    return r;
}

class MarkerSizesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir = test::TestDir();
        test::WriteFile(dir + "/3.kxc", test::AnalysisFixture(EchoRecord()));
        window->Project()->OpenProjectAt(QString::fromStdString(dir));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Project()->Loading(); }, 10000));
        ShowActive();
        Resize(1400, 900);
        window->Project()->SelectFile(QString::fromStdString(dir + "/3.kxc"));
        ASSERT_NE(Record(), nullptr);
    }
    void Resize(int width, int height) {
        window->resize(width, height);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->width() == width; }));
        QApplication::processEvents();
    }
    PileRecord* Record() { return window->Project()->CurrentRecord(); }
    CMyDieJia* View() { return window->StackedView(); }
    // Clicks where the view draws sample `i`, then presses the marker key.
    void MarkSample(int i, Qt::Key key) {
        const float pps = PixelsPerSample(View()->ClientWidth(), 1024);
        const QPoint at(SampleX(i, pps, View()->Zoom()), 300);
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, at);
        QTest::keyClick(View(), key);
    }
    QString Box(int id) { return window->ParameterPage()->Edit(id)->text(); }
    // The markers' lines stand where the record's times put them at the view's width (a
    // marker just placed stands on the cursor's pixel, which its time may put one pixel left).
    void ExpectLinesOnTheTimes() {
        const MarkerState& m = View()->Markers();
        const MarkerPixels want =
            MarkerPixelsForTimes(*Record(), View()->ClientWidth() * View()->Zoom());
        EXPECT_NEAR(m.topX, want.topX, 1);
        EXPECT_NEAR(m.bottomX, want.bottomX, 1);
        EXPECT_NEAR(m.defectX, want.defectX, 1);
    }

    std::string dir;
};

TEST_F(MarkerSizesTest, MarkersRecordTheirSamplesTimeAtAnySizeAndZoom) {
    EXPECT_EQ(Record()->pileTopTimeUs, 500);
    const int wide = View()->ClientWidth();
    MarkSample(680, Qt::Key_D);
    EXPECT_NEAR(Record()->pileBottomTimeUs, 6800, kInterval);
    EXPECT_NEAR(Record()->waveSpeed, 2 * 12 / 0.0063, 2 * 12 / 0.0063 * 0.005);
    ExpectLinesOnTheTimes();

    // A smaller window: the lines follow the echoes, the times do not move.
    Resize(1000, 600);
    ASSERT_LT(View()->ClientWidth(), wide);
    EXPECT_NEAR(Record()->pileBottomTimeUs, 6800, kInterval);
    ExpectLinesOnTheTimes();
    MarkSample(285, Qt::Key_S);
    EXPECT_NEAR(Record()->defectTimeUs, 2850, 2 * kInterval);
    const double depth = 12.0 * (2850 - 500) / (6800 - 500);
    EXPECT_NEAR(BoxNumber(Box(id::kDefectPositionEdit).toStdString()), depth, 0.05);

    // Zoomed in: a click on the zoomed echo marks that echo.
    window->Command(id::kCmdZoomIn)->trigger();
    ASSERT_EQ(View()->Zoom(), 2);
    ExpectLinesOnTheTimes();
    MarkSample(400, Qt::Key_S);
    EXPECT_NEAR(Record()->defectTimeUs, 4000, kInterval);
    EXPECT_NEAR(BoxNumber(Box(id::kDefectPositionEdit).toStdString()),
                12.0 * (4000 - 500) / (6800 - 500), 0.05);

    // Saved: the times on disk are the samples' times and agree with the speed.
    window->Command(id::kCmdSave)->trigger();
    PileRecord saved;
    ASSERT_TRUE(saved.ReadTestFile(nullptr, dir + "/3.kxc"));
    EXPECT_NEAR(saved.pileBottomTimeUs, 6800, kInterval);
    EXPECT_NEAR(saved.defectTimeUs, 4000, kInterval);
    const double speedFromTimes = 2 * 12.0 / ((saved.pileBottomTimeUs - saved.pileTopTimeUs) / 1e6);
    EXPECT_NEAR(saved.waveSpeed, speedFromTimes, speedFromTimes * 0.005);
}

// At the size the file was selected at and zoom 1 the figures are the unchanged arithmetic of
// the view's pixels.
TEST_F(MarkerSizesTest, AtTheSelectionsSizeTheFiguresAreThePixelArithmetic) {
    const int w = View()->ClientWidth();
    const float pps = PixelsPerSample(w, 1024);
    const int x = SampleX(680, pps, 1);
    MarkSample(680, Qt::Key_D);
    EXPECT_EQ(Record()->pileBottomTimeUs, CursorTimeUs(x, 1024, w, kInterval));
    const int32_t topX = View()->Markers().topX;
    const float t = TravelTimeFromPixels(topX, x, w, kInterval);
    EXPECT_EQ(Box(id::kWaveSpeedEdit).toStdString(), FormatFixed2(F32(2.0 * 12 / t)));
}

}  // namespace
}  // namespace kx::ui
