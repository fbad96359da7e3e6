// The main window's side of the analysis aids: 指数放大 as a tool, 自动识别桩底 through the
// pile-bottom marker, the view option 深度标尺 remembered between runs, and the 阻抗曲线 tab.
// None of them changes what the window does while they are not used.
#include <QAction>
#include <QSettings>
#include <QStatusBar>

#include "analysis/pile_toe_marker.h"
#include "res/ids.h"
#include "ui/kx7300_dlg.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/zhi_shu_fang_da.h"
#include "waveform/qt/zu_kang_qu_xian.h"

namespace kx::ui {

void CKX7300Dlg::ConnectAnalysisAids() {
    // One analysis per change of the record, shared by the depth scale, the impedance tab and
    // 自动识别桩底.
    const auto analyse = [this](const PileRecord& rec) -> const PileAnalysis& {
        return AnalysisOf(rec);
    };
    m_stackedView->ViewHooks().analyse = analyse;
    m_impedanceView->SetHooks({[this] { return HasFileSelected(); }, analyse});

    const QSettings settings;
    const bool shown = settings.value(kDepthScaleSetting, false).toBool();
    Command(id::kCmdDepthScale)->setChecked(shown);
    m_stackedView->SetDepthScaleShown(shown);
    const bool frequencyAxis = settings.value(kSpectrumAxisSetting, false).toBool();
    Command(id::kCmdSpectrumAxis)->setChecked(frequencyAxis);
    m_spectrumView->SetFrequencyAxisShown(frequencyAxis);
    const bool axes = settings.value(kStackedAxesSetting, false).toBool();
    Command(id::kCmdStackedAxes)->setChecked(axes);
    m_stackedView->SetAxesShown(axes);
}

const PileAnalysis& CKX7300Dlg::AnalysisOf(const PileRecord& current) {
    PileRecord selected = current;
    selected.waves[kStackedSlot] = m_stackedView->BackupWave();
    return m_analysis.For(selected);
}

void CKX7300Dlg::AmplifyWave() {
    const std::optional<double> gain =
        m_askAmplifyGain ? m_askAmplifyGain() : CZhiShuFangDa::AskGain(this);
    if (!gain) {
        return;  // 取消 changes nothing
    }
    // A tool like the others: 还原 undoes it, and leaving the pile offers to save.
    m_stackedView->AmplifyWave(*gain);
    m_allView->viewport()->update();
    MarkWaveModified();
}

void CKX7300Dlg::FindPileBottom() {
    // The markers live on the stacked view: elsewhere the engineer would not see what moved.
    if (!m_stackedTabActive) {
        ShowMessage(QString::fromUtf8(kToeNeedsStackedTab));
        return;
    }
    PileRecord* rec = SelectedRecord();
    if (rec == nullptr) {
        return;
    }
    const PileToe toe = AnalysisOf(*rec).toe;
    if (!toe.timeUs) {
        ShowMessage(QString::fromUtf8(kToeNotFound));
        return;
    }
    MarkerState& m = m_stackedView->Markers();
    m.record = rec;
    m_stackedView->FollowWidth();
    const std::optional<int32_t> x = PileBottomXForToe(m, *toe.timeUs);
    if (!x) {
        ShowMessage(QString::fromUtf8(kToeOutsideView));
        return;
    }
    // As the engineer would: the cursor on the toe, then 桩底; the readouts then follow the
    // cursor against the new marker.
    const int32_t y = m_stackedView->CursorY();
    m_stackedView->UpdateCursorReadout(*x, y);
    RunMarkerCommand(&kx::SetPileBottom);
    m_stackedView->UpdateCursorReadout(*x, y);
    statusBar()->showMessage(QString::fromStdString(ToeFoundText(toe)));
}

void CKX7300Dlg::ToggleSpectrumAxis() {
    const bool shown = !m_spectrumView->FrequencyAxisShown();
    Command(id::kCmdSpectrumAxis)->setChecked(shown);
    m_spectrumView->SetFrequencyAxisShown(shown);
    QSettings().setValue(kSpectrumAxisSetting, shown);
}

void CKX7300Dlg::ToggleStackedAxes() {
    const bool shown = !m_stackedView->AxesShown();
    Command(id::kCmdStackedAxes)->setChecked(shown);
    m_stackedView->SetAxesShown(shown);
    QSettings().setValue(kStackedAxesSetting, shown);
}

void CKX7300Dlg::ToggleDepthScale() {
    const bool shown = !m_stackedView->DepthScaleShown();
    Command(id::kCmdDepthScale)->setChecked(shown);
    m_stackedView->SetDepthScaleShown(shown);
    QSettings().setValue(kDepthScaleSetting, shown);
}

}  // namespace kx::ui
