// The analysis aids in the window: 指数放大 as a tool, 自动识别桩底 through the pile-bottom
// marker, the 深度标尺 option (off, the stacked view paints exactly what it painted without
// it) and the 阻抗曲线 tab.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <filesystem>
#include <optional>

#include "analysis/depth_scale_geometry.h"
#include "analysis/pile_analysis_cache.h"
#include "analysis/pile_toe_marker.h"
#include "core/synth_test_util.h"
#include "render/depth_scale_render.h"
#include "render/stacked_view_render.h"
#include "res/ids.h"
#include "ui/bo_xing_xx.h"
#include "ui/my_list_ctrl.h"
#include "ui/zhong_ti_xx.h"
#include "view_test_util.h"
#include "waveform/box_text.h"
#include "waveform/exponential_amplification.h"
#include "waveform/float32.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/zu_kang_qu_xian.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

constexpr double kLengthM = 12.0;
constexpr double kSpeedMps = 4000.0;

// A synthetic pile as the project holds it: 12 m at 4,000 m/s on a free toe, with a necking
// to 0.6 at 4.5 m when asked. The field knows the length, not the speed.
PileRecord SynthPile(bool necking) {
    synth::SynthOptions o;
    o.pile.lengthM = kLengthM;
    o.pile.speedMps = kSpeedMps;
    o.noise = 0.005;
    if (necking) {
        o.pile.defects = {{4.5, 1.5, 0.6}};
    }
    PileRecord rec = test::LoadedSynthRecord(o);
    rec.waveSpeed = 3800.0f;
    rec.pileBottomTimeUs = 0;
    rec.defectTimeUs = 0.0f;
    return rec;
}

// The picture of `draw` on a fresh image of the view's client size.
template <class Draw>
QImage Drawn(QSize size, const QFont& font, Draw draw) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    p.setFont(font);
    draw(p);
    return img;
}

int CountColour(const QImage& img, const QRect& r, QRgb colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) == colour;
    return n;
}

TEST(DepthScaleOption, OffPaintsTheStackedViewAsWithoutItOnDrawsTheScaleAndTheNecking) {
    PileRecord rec = SynthPile(true);
    rec.waveSpeed = static_cast<float>(kSpeedMps);
    CMyDieJia view;
    PileAnalysisCache analysis;
    view.ViewHooks().analyse = [&](const PileRecord& r) -> const PileAnalysis& {
        return analysis.For(r);
    };
    const QSize client(1024, 600);
    test::ShowWithClientSize(&view, client);
    view.PlaceMarkersForRecord(rec);
    // The specified picture, drawn by the paint code alone.
    const QImage specified = Drawn(client, view.font(), [&](QPainter& p) {
        StackedViewScene scene;
        scene.markers = &view.Markers();
        scene.zoom = view.Zoom();
        scene.liveSpeed = view.LiveSpeed();
        scene.liveLength = view.LiveLength();
        RenderStackedView(p, client, scene);
    });
    const auto viewPicture = [&] {
        return Drawn(client, view.font(), [&](QPainter& p) { view.Paint(p); });
    };
    ASSERT_FALSE(view.DepthScaleShown());
    EXPECT_EQ(viewPicture(), specified);
    EXPECT_EQ(test::Picture(&view), specified);

    view.SetDepthScaleShown(true);
    const QImage on = viewPicture();
    const int baseline = client.height() - kDepthScaleHeight;
    // Above the scale's strip the picture is the same...
    EXPECT_EQ(on.copy(0, 0, client.width(), baseline - 40),
              specified.copy(0, 0, client.width(), baseline - 40));
    // ...along it the line from the pile top, a tick every metre (25 pixels at 4,000 m/s and
    // 20 µs), the depths under every other one, and the necking's triangle at 4.5 m.
    const int top = view.Markers().topX;
    EXPECT_EQ(test::CountInRow(on, baseline, test::kBlack, top, client.width()),
              client.width() - top);
    EXPECT_EQ(test::CountInRow(on, baseline, test::kBlack, 0, top), 0);
    for (int metre : {1, 2, 10}) {
        EXPECT_EQ(on.pixel(top + 25 * metre, baseline + 3), test::kBlack) << metre;
    }
    EXPECT_GT(test::CountInk(on, QRect(top + 50 - 6, baseline + 7, 12, 15)), 0);  // "2"
    const int neckX = top + static_cast<int>(25 * 4.5);
    const QRgb orange = DefectMarkColor(DefectKind::kNecking).rgb();
    EXPECT_GT(CountColour(on, QRect(neckX - 8, baseline - 12, 17, 12), orange), 20);
    EXPECT_EQ(CountColour(on, QRect(0, 0, client.width(), baseline - 12), orange), 0);
}

// The window with one record selected the way the workspace selects it.
class AnalysisAids : public WindowTest {
protected:
    void Select(const PileRecord& pile) {
        ShowActive();
        rec = pile;
        if (rec.testDate.empty()) {
            rec.testDate = "2023-05-17";
            rec.testTime = "08:30:15";
        }
        window->SetCurrentPath("/site/1.kxc");
        window->SetCurrentRecord(&rec);
        window->StackedView()->PlaceMarkersForRecord(rec);
        ASSERT_TRUE(window->ShowRecordOnPages());
        window->StackedView()->SetBackupWave(rec.waves[kStackedSlot]);
        window->SetFileCommandsEnabled(true);
    }
    QLineEdit* Box(int boxId) { return window->ParameterPage()->Edit(boxId); }
    QString Status() { return window->statusBar()->currentMessage(); }
    PileRecord rec;
};

TEST_F(AnalysisAids, DepthScaleIsOffByDefaultAndRemembered) {
    QAction* option = window->Command(id::kCmdDepthScale);
    ASSERT_NE(option, nullptr);
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    EXPECT_FALSE(window->StackedView()->DepthScaleShown());

    option->trigger();
    EXPECT_TRUE(option->isChecked());
    EXPECT_TRUE(window->StackedView()->DepthScaleShown());
    EXPECT_TRUE(QSettings().value(CKX7300Dlg::kDepthScaleSetting).toBool());
    {
        CKX7300Dlg next;
        EXPECT_TRUE(next.Command(id::kCmdDepthScale)->isChecked());
        EXPECT_TRUE(next.StackedView()->DepthScaleShown());
    }
    window->ExecuteCommand(id::kCmdDepthScale);
    EXPECT_FALSE(option->isChecked());
    EXPECT_FALSE(window->StackedView()->DepthScaleShown());
    EXPECT_FALSE(QSettings().value(CKX7300Dlg::kDepthScaleSetting).toBool());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(AnalysisAids, AmplifyIsAToolOfTheToolsMenuAndBarThatRestoreUndoes) {
    int asked = 0;
    std::optional<double> gain = 2.0;
    window->SetAmplifyGainAsker([&] {
        ++asked;
        return gain;
    });
    window->Command(id::kCmdAmplify)->trigger();
    EXPECT_EQ(messages, QStringList{"请先选择文件！"});
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(window->WaveModified());

    Select(SynthPile(false));
    const WaveSlot selected = rec.waves[kStackedSlot];
    WaveSlot amplified = selected;
    AmplifyExponential(amplified.data(), rec.SampleCount(), rec.sampleIntervalUs, 2.0,
                       rec.pileTopTimeUs);
    ASSERT_NE(amplified, selected);
    // The 工具 menu (the stacked view's right-click menu) and the tools toolbar.
    QMenu* tools = window->StackedView()->ContextMenu();
    // The eleven tools, 指数放大 after a separator, then 平均波速 after another.
    ASSERT_EQ(tools->actions().size(), 15);
    EXPECT_EQ(tools->actions()[12], window->Command(id::kCmdAmplify));
    EXPECT_EQ(tools->actions()[12]->text(), "指数放大");
    EXPECT_EQ(tools->actions().last(), window->Command(id::kCmdSiteSpeed));
    for (QAction* pick : {window->Command(id::kCmdAmplify), window->Command(id::kBtnAmplify)}) {
        window->Project()->GetWorkspace().m_waveModified = false;
        pick->trigger();
        EXPECT_EQ(rec.waves[kStackedSlot], amplified);
        EXPECT_TRUE(window->WaveModified());
        window->Command(id::kCmdRestore)->trigger();
        EXPECT_EQ(rec.waves[kStackedSlot], selected);
    }
    EXPECT_EQ(asked, 2);
    // 取消 changes nothing, not even the change flag.
    gain = std::nullopt;
    window->Project()->GetWorkspace().m_waveModified = false;
    window->Command(id::kBtnAmplify)->trigger();
    EXPECT_EQ(rec.waves[kStackedSlot], selected);
    EXPECT_FALSE(window->WaveModified());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(AnalysisAids, LeavingAnAmplifiedPileAsksToSave) {
    const std::string dir = test::TestDir();
    for (const char* name : {"1.kxc", "2.kxc"}) {
        ASSERT_TRUE(SynthPile(false).WriteAnalysisFile(dir + "/" + name));
    }
    window->SetAmplifyGainAsker([] { return 1.5; });
    CProjectController* project = window->Project();
    project->OpenProjectAt(QString::fromStdString(dir));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !project->Loading(); }, 10000));
    const auto clickRow = [&](int row) {
        CMylistCtrl* list = window->FileList();
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    };
    clickRow(0);
    ASSERT_NE(project->CurrentRecord(), nullptr);
    const PileRecord loaded = *project->CurrentRecord();
    window->Command(id::kCmdAmplify)->trigger();
    ASSERT_NE(project->CurrentRecord()->waves[kStackedSlot], loaded.waves[kStackedSlot]);
    filePrompts.yesNo.push_back(false);  // 否: the pile as it was
    clickRow(1);
    EXPECT_EQ(filePrompts.questions, std::vector<std::string>{"是否保存修改过的数据？"});
    const PileRecord* first = project->GetWorkspace().m_records.TryGet(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->waves[kStackedSlot], loaded.waves[kStackedSlot]);
}

TEST_F(AnalysisAids, FindsTheToeAndPlacesTheBottomMarkerAsPileBottomWould) {
    window->Command(id::kCmdFindPileToe)->trigger();
    EXPECT_EQ(messages, QStringList{"请先选择文件！"});
    messages.clear();

    for (const FixMode mode : {FixMode::kLengthFixed, FixMode::kSpeedFixed}) {
        SCOPED_TRACE(static_cast<int>(mode));
        Select(SynthPile(false));
        if (mode == FixMode::kSpeedFixed) {
            Box(id::kWaveSpeedEdit)->setText("4000");
            window->Command(id::kCmdSpeedFixed)->trigger();
        } else {
            // The analysis reads the waveform as selected, whatever the tools made of it.
            window->SetAmplifyGainAsker([] { return 1.0; });
            window->Command(id::kCmdAmplify)->trigger();
        }
        window->Command(id::kCmdFindPileToe)->trigger();
        EXPECT_TRUE(messages.isEmpty());
        const MarkerState& m = window->StackedView()->Markers();
        EXPECT_EQ(m.bottomX, m.cursorX);
        EXPECT_NEAR(rec.pileBottomTimeUs - rec.pileTopTimeUs, 2e6 * kLengthM / kSpeedMps,
                    2 * rec.sampleIntervalUs);
        if (mode == FixMode::kLengthFixed) {
            // The speed follows the markers, stored as its box shows it.
            EXPECT_NEAR(rec.waveSpeed, kSpeedMps, 0.02 * kSpeedMps);
            EXPECT_EQ(rec.waveSpeed, F32(BoxNumber(Box(id::kWaveSpeedEdit)->text().toStdString())));
        } else {
            EXPECT_NEAR(rec.pileLength, kLengthM, 0.02 * kLengthM);
            EXPECT_EQ(Box(id::kPileLengthEdit)->text().toStdString(), FormatFixed2(rec.pileLength));
        }
        // The cursor readout stands on the new marker: the position is the pile length.
        EXPECT_EQ(window->WaveformPage()->Edit(id::kCursorPositionEdit)->text().toStdString(),
                  FormatFixed2(rec.pileLength));
        EXPECT_TRUE(Status().startsWith("自动识别桩底")) << Status().toStdString();
        EXPECT_TRUE(Status().contains("可信度"));
    }
    window->Command(id::kCmdLengthFixed)->trigger();
}

TEST_F(AnalysisAids, NoToeOrAnotherTabMovesNothingAndSaysWhy) {
    struct Case {
        bool blow;
        int tab;
        const char* message;
    } cases[] = {
        {false, 1, kToeNotFound}, {true, 0, kToeNeedsStackedTab}, {true, 4, kToeNeedsStackedTab}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        // Without a blow (a trace below zero) there is no toe to find.
        Select(c.blow ? SynthPile(false) : test::ViewRecord(1024, [](int) { return -5; }));
        window->ViewTab()->Bar()->setCurrentIndex(c.tab);
        const PileRecord before = rec;
        const MarkerState markers = window->StackedView()->Markers();
        const QString speed = Box(id::kWaveSpeedEdit)->text();
        messages.clear();
        window->Command(id::kCmdFindPileToe)->trigger();
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(rec, before);
        EXPECT_EQ(window->StackedView()->Markers().bottomX, markers.bottomX);
        EXPECT_EQ(window->StackedView()->Markers().cursorX, markers.cursorX);
        EXPECT_EQ(Box(id::kWaveSpeedEdit)->text(), speed);
        EXPECT_TRUE(Status().isEmpty());
        window->ViewTab()->Bar()->setCurrentIndex(1);
    }
}

TEST_F(AnalysisAids, ImpedanceTabIsTheFifthAndDrawsTheSelectedFilesProfile) {
    ShowActive();
    QTabBar* bar = window->ViewTab()->Bar();
    ASSERT_EQ(bar->count(), 5);
    const QStringList captions{"原始波型", "叠加波型", "频谱分析", "所有波型", "阻抗曲线"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar->tabText(i), captions[i]);
    }
    EXPECT_EQ(window->ViewTab()->CurrentSelection(), 1);
    CZuKangQuXian* view = window->ImpedanceView();
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(view->objectName(), QString::number(id::kImpedanceView));

    bar->setCurrentIndex(4);
    EXPECT_FALSE(view->isHidden());
    EXPECT_TRUE(window->StackedView()->isHidden());
    EXPECT_FALSE(window->StackedTabActive());
    EXPECT_EQ(view->geometry(), window->StackedView()->geometry());
    QImage img = test::Picture(view);
    EXPECT_EQ(test::CountInk(img, img.rect()), 0);  // no file: nothing

    Select(SynthPile(true));
    img = test::Picture(view);
    const QRgb curve = qRgb(200, 0, 0);
    const QRgb lengthLine = qRgb(0, 0, 255);
    EXPECT_GT(CountColour(img, img.rect(), curve), 200);
    EXPECT_GT(CountColour(img, img.rect(), lengthLine), 100);

    window->SetCurrentPath("");
    window->SetCurrentRecord(nullptr);
    img = test::Picture(view);
    EXPECT_EQ(test::CountInk(img, img.rect()), 0);
    bar->setCurrentIndex(1);
    EXPECT_TRUE(window->StackedTabActive());
    EXPECT_TRUE(view->isHidden());
}

}  // namespace
}  // namespace kx::ui
