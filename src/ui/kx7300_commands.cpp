// The main window's side of the command table: the handlers it runs, the marker commands
// with the page boxes they read and write, and the hooks that tie the four views to the
// window.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <optional>

#include "res/ids.h"
#include "ui/about.h"
#include "ui/bo_xing_xx.h"
#include "ui/file_notice.h"
#include "ui/kx7300_dlg.h"
#include "ui/pile_undo.h"
#include "ui/print_commands.h"
#include "ui/project_controller.h"
#include "ui/recent_projects.h"
#include "ui/user_guide.h"
#include "ui/word_commands.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/blow_editing.h"
#include "waveform/messages.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/qt/zu_kang_qu_xian.h"
#include "waveform/tool_commands.h"
#include "widgets/tab_control.h"

namespace kx::ui {

namespace {

// Writes a box only when its text changes, so an unchanged box keeps its cursor.
void SetBoxText(QLineEdit* box, const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    if (box->text() != text) {
        box->setText(text);
    }
}

}  // namespace

void CKX7300Dlg::ConnectViews() {
    const auto fileSelected = [this] { return HasFileSelected(); };
    const auto command = [this](int commandId) { ExecuteCommand(commandId); };

    CMyDieJia::Hooks stacked;
    stacked.fileSelected = fileSelected;
    stacked.showReadout = [this](const CursorReadout& r) {
        SetBoxText(m_waveformPage->Edit(id::kCursorTimeEdit), r.timeText);
        if (r.voltageText) {
            SetBoxText(m_waveformPage->Edit(id::kCursorVoltageEdit), *r.voltageText);
        }
        SetBoxText(m_waveformPage->Edit(id::kCursorPositionEdit), r.positionText);
    };
    stacked.cutoffText = [this] {
        return m_waveformPage->Edit(id::kLowPassEdit)->text().toStdString();
    };
    stacked.optimizeOn = [this] { return m_optimizeOn; };
    stacked.command = command;
    // A hand-drawn waveform is a change like a tool's: the close prompt asks for it too, and
    // the whole drag is one step to undo.
    stacked.waveEdited = [this] { MarkWaveModified(); };
    stacked.dragDone = [this] { RecordEdit(); };
    m_stackedView->SetHooks(std::move(stacked));
    // The right-click menu is the menu bar's 工具 pop-up itself: a pick there is a menu pick.
    m_stackedView->SetContextMenu(qobject_cast<QMenu*>(Command(id::kCmdLowPass)->parent()));

    m_rawViewMenu = new QMenu(this);
    m_rawViewMenu->setObjectName(QString::number(id::kRawViewMenu));
    AddMenuCommands(m_rawViewMenu, {id::kCmdRawDeleteBlow, id::kCmdRawUndoDeleteBlow});
    m_rawView->SetHooks({fileSelected, command});
    m_rawView->SetContextMenu(m_rawViewMenu);

    m_spectrumMenu = new QMenu(this);
    m_spectrumMenu->setObjectName(QString::number(id::kSpectrumViewMenu));
    AddMenuCommands(m_spectrumMenu,
                    {id::kCmdSpectrumZoomIn, id::kCmdSpectrumZoomOut, id::kCmdSpectrumReset});
    m_spectrumView->SetHooks(
        {fileSelected,
         [this] { return m_parameterPage->Edit(id::kWaveSpeedEdit)->text().toStdString(); }});
    m_spectrumView->SetContextMenu(m_spectrumMenu);
}

void CKX7300Dlg::SetCurrentRecord(PileRecord* record) {
    m_currentRecord = record;
    m_stackedView->SetRecord(record);
    m_rawView->SetRecord(record);
    m_impedanceView->SetRecord(record);
    // What 自动识别桩底 said was about the pile shown before.
    if (QStatusBar* bar = findChild<QStatusBar*>()) {
        bar->clearMessage();
    }
}

void CKX7300Dlg::ExecuteCommand(int commandId) {
    m_commands->Execute(commandId);
}

PileRecord* CKX7300Dlg::SelectedRecord() const {
    if (!HasFileSelected()) {
        return nullptr;
    }
    return m_currentRecord != nullptr ? m_currentRecord : m_stackedView->Record();
}

// ---- File, print list and Word commands ------------------------------------------------

void CKX7300Dlg::ImportRawData() {
    m_project->ImportRawData();
}
void CKX7300Dlg::OpenProject() {
    m_project->OpenProject();
}
// A save becomes where later steps and the unsaved mark start from, and the status bar says
// where it went.
void CKX7300Dlg::SaveRecord() {
    if (m_project->Save()) {
        FileSaved("已保存：");
    }
}
void CKX7300Dlg::SaveRecordAs() {
    if (m_project->SaveAs()) {
        FileSaved("已另存为：");
    }
}
void CKX7300Dlg::FileSaved(const QString& what) {
    m_undo->Rebase();
    m_undo->Stack().setClean();
    const QString path = QFile::decodeName(m_project->GetWorkspace().LastSavedPath().c_str());
    m_fileNotice->Show(what + QDir::toNativeSeparators(path), path);
}
void CKX7300Dlg::AddToPrintList() {
    m_project->AddToPrintList();
}
void CKX7300Dlg::UnifySiteAndUnit() {
    m_project->UnifySiteAndUnit();
}
void CKX7300Dlg::RemoveFromPrintList() {
    m_project->RemoveFromPrintList();
}
void CKX7300Dlg::AddDataFiles() {
    m_project->AddDataFile();
}
void CKX7300Dlg::RemoveFromDataList() {
    m_project->RemoveDataRow();
}

// The print and Word commands read every record of the print list: while the project loads
// they wait for it (busy cursor), then run as picked.
void CKX7300Dlg::ExportWordReport() {
    m_project->RunWhenLoaded([this] { m_wordCommands->ExportWordReport(); });
}
void CKX7300Dlg::OpenPrintSettings() {
    m_project->RunWhenLoaded([this] { m_printCommands->OpenPrintSettings(); });
}
void CKX7300Dlg::OpenPrintPreview() {
    m_project->RunWhenLoaded([this] { m_printCommands->OpenPrintPreview(); });
}
void CKX7300Dlg::ExportPdf() {
    m_project->RunWhenLoaded([this] {
        m_printCommands->ExportPdf([this](const std::string& path) {
            const QString shown = QFile::decodeName(path.c_str());
            m_fileNotice->Show("已输出PDF：" + QDir::toNativeSeparators(shown), shown);
        });
    });
}

void CKX7300Dlg::ExitProgram() {
    if (Prompt("确定退出程序？", "提示", PromptButtons::YesNo) == PromptAnswer::Yes) {
        close();
    }
}

void CKX7300Dlg::ShowAbout() {
    CAbout about(this);
    about.exec();
}

void CKX7300Dlg::OpenUserGuide() {
    if (!OpenUserGuideInDesktop()) {
        ShowMessage(QString("无法打开使用说明。使用说明在：\n%1")
                        .arg(QDir::toNativeSeparators(UserGuideLocation())));
    }
}

void CKX7300Dlg::OpenRecentProject(int index) {
    m_recent->Open(index);
}

// ---- Blows -------------------------------------------------------------------------------

void CKX7300Dlg::ShowRawViewTab() {
    m_viewTab->Select(0);
    m_stackedView->hide();
    m_spectrumView->hide();
    m_allView->hide();
    m_impedanceView->hide();
    m_rawView->show();
}

void CKX7300Dlg::DeleteBlow() {
    const BlowEditOutcome out =
        kx::DeleteBlow(SelectedRecord(), m_rawView->SelectedBlow(), m_spectrumView->Spectrum());
    switch (out.action) {
        case BlowEditAction::kShowMessage:
            ShowMessage(QString::fromStdString(out.message));
            return;
        case BlowEditAction::kShowRawViewTab:
            ShowRawViewTab();
            return;
        case BlowEditAction::kBlowEdited:
            m_stackedView->viewport()->update();
            m_rawView->viewport()->update();
            m_spectrumView->viewport()->update();
            m_allView->viewport()->update();
            MarkWaveModified();
            return;
    }
}

void CKX7300Dlg::UndoDeleteBlow() {
    // The blows come back as the selection found them: the workspace's snapshot.
    const Workspace& workspace = m_project->GetWorkspace();
    PileRecord* rec = SelectedRecord();
    struct Blows {
        WaveSlots waves;
        std::array<bool, kChannelCount> absent;
        bool operator==(const Blows&) const = default;
    };
    const auto blowsOf = [](const PileRecord& r) { return Blows{r.waves, r.waveAbsent}; };
    const std::optional<Blows> before =
        rec != nullptr ? std::optional<Blows>(blowsOf(*rec)) : std::nullopt;
    const BlowEditOutcome out = kx::UndoDeleteBlow(
        rec, m_rawView->SelectedBlow(), workspace.m_savedWaves, workspace.m_savedRecord.waveAbsent);
    switch (out.action) {
        case BlowEditAction::kShowMessage:
            ShowMessage(QString::fromStdString(out.message));
            return;
        case BlowEditAction::kShowRawViewTab:
            ShowRawViewTab();
            return;
        case BlowEditAction::kBlowEdited:
            m_stackedView->viewport()->update();
            m_rawView->viewport()->update();
            m_allView->viewport()->update();
            // Bringing a blow back re-stacks: when that changed the record, leaving it asks.
            if (before && *before != blowsOf(*rec)) {
                MarkWaveModified();
            }
            return;
    }
}

// ---- Markers ------------------------------------------------------------------------------

void CKX7300Dlg::RunMarkerCommand(MarkerOutcome (*operation)(MarkerState&)) {
    MarkerState& m = m_stackedView->Markers();
    m.record = SelectedRecord();
    m.stackedTabActive = m_stackedTabActive;
    m_stackedView->FollowWidth();
    QLineEdit* length = m_parameterPage->Edit(id::kPileLengthEdit);
    QLineEdit* speed = m_parameterPage->Edit(id::kWaveSpeedEdit);
    QLineEdit* defect = m_parameterPage->Edit(id::kDefectPositionEdit);
    m.lengthText = length->text().toStdString();
    m.speedText = speed->text().toStdString();
    m.defectText = defect->text().toStdString();
    m.timeText = m_waveformPage->Edit(id::kCursorTimeEdit)->text().toStdString();

    const MarkerOutcome out = operation(m);

    SetBoxText(length, m.lengthText);
    SetBoxText(speed, m.speedText);
    SetBoxText(defect, m.defectText);
    length->setEnabled(m.lengthBoxEnabled);
    speed->setEnabled(m.speedBoxEnabled);
    if (out.repaint) {
        m_stackedView->viewport()->update();
    }
    ShowProposedClass();  // the depths follow the markers
    if (!out.message.empty()) {
        ShowMessage(QString::fromStdString(out.message));
    }
}

void CKX7300Dlg::NoteMarkersNeedStackedTab() {
    statusBar()->showMessage(QString::fromUtf8(kMarkersNeedStackedTab), 5000);
}

void CKX7300Dlg::SetPileTop() {
    RunMarkerCommand(&kx::SetPileTop);
}
void CKX7300Dlg::SetDefect() {
    RunMarkerCommand(&kx::SetDefect);
}
void CKX7300Dlg::SetPileBottom() {
    RunMarkerCommand(&kx::SetPileBottom);
}
void CKX7300Dlg::DefectFromPosition() {
    RunMarkerCommand(&kx::DefectFromPosition);
    RecordEdit();
}

void CKX7300Dlg::SetLengthFixed() {
    Command(id::kCmdLengthFixed)->setChecked(true);
    RunMarkerCommand(&kx::SetLengthFixed);
}

void CKX7300Dlg::SetSpeedFixed() {
    Command(id::kCmdSpeedFixed)->setChecked(true);
    RunMarkerCommand(&kx::SetSpeedFixed);
}

// ---- Tools --------------------------------------------------------------------------------

void CKX7300Dlg::ApplyViewCommand(int viewCommand) {
    m_stackedView->RunViewCommand(viewCommand);
    m_allView->viewport()->update();
    MarkWaveModified();
    RecordEdit();  // also when the page's Enter started it
}

// ---- 撤销 / 重做 ---------------------------------------------------------------------------

void CKX7300Dlg::UndoEdit() {
    m_undo->Undo();
}
void CKX7300Dlg::RedoEdit() {
    m_undo->Redo();
}
void CKX7300Dlg::CommandDone() {
    RecordEdit();
}
void CKX7300Dlg::RecordEdit() {
    if (m_undo != nullptr) {
        m_undo->Checkpoint();
    }
}
void CKX7300Dlg::StartEditsAfresh() {
    if (m_undo != nullptr) {
        m_undo->Reset();
    }
}

std::optional<PileEditState> CKX7300Dlg::CaptureEdit() {
    const PileRecord* rec = SelectedRecord();
    if (rec == nullptr) {
        return std::nullopt;
    }
    PileEditState s;
    s.record = *rec;
    const MarkerState& m = m_stackedView->Markers();
    s.viewWidth = m.viewWidth;
    s.topX = m.topX;
    s.bottomX = m.bottomX;
    s.defectX = m.defectX;
    s.showTop = m.showTop;
    s.showDefect = m.showDefect;
    s.showBottom = m.showBottom;
    s.fixMode = m.fixMode;
    s.boxes = ReadPageBoxes();
    const Workspace& ws = m_project->GetWorkspace();
    s.waveModified = ws.m_waveModified;
    s.optimizeTouched = ws.m_optimizeTouched;
    return s;
}

void CKX7300Dlg::ApplyEdit(const PileEditState& s) {
    PileRecord* rec = SelectedRecord();
    if (rec == nullptr) {
        return;
    }
    const bool blowsChanged =
        rec->waves != s.record.waves || rec->waveAbsent != s.record.waveAbsent;
    *rec = s.record;
    MarkerState& m = m_stackedView->Markers();
    m.viewWidth = s.viewWidth;
    m.topX = s.topX;
    m.bottomX = s.bottomX;
    m.defectX = s.defectX;
    m.showTop = s.showTop;
    m.showDefect = s.showDefect;
    m.showBottom = s.showBottom;
    m.fixMode = s.fixMode;
    m.lengthBoxEnabled = s.fixMode == FixMode::kSpeedFixed;
    m.speedBoxEnabled = s.fixMode == FixMode::kLengthFixed;
    m_stackedView->FollowWidth();  // the window may have changed size since
    Command(s.fixMode == FixMode::kLengthFixed ? id::kCmdLengthFixed : id::kCmdSpeedFixed)
        ->setChecked(true);
    m_parameterPage->Edit(id::kPileLengthEdit)->setEnabled(m.lengthBoxEnabled);
    m_parameterPage->Edit(id::kWaveSpeedEdit)->setEnabled(m.speedBoxEnabled);
    ShowEditedBoxes(s.boxes);
    Workspace& ws = m_project->GetWorkspace();
    ws.m_waveModified = s.waveModified;
    ws.m_optimizeTouched = s.optimizeTouched;
    if (blowsChanged) {
        m_spectrumView->ComputeSpectrum(*rec);
    }
    m_project->RepaintViews();
}

void CKX7300Dlg::RestackWave() {
    PileRecord* rec = SelectedRecord();
    const std::optional<WaveSlot> before =
        rec != nullptr ? std::optional<WaveSlot>(rec->waves[kStackedSlot]) : std::nullopt;
    const std::string message = RestackCommand(rec);
    if (!message.empty()) {
        ShowMessage(QString::fromStdString(message));
        return;
    }
    m_stackedView->viewport()->update();
    m_allView->viewport()->update();
    // A re-stack that changed the stacked waveform is a change to save like any tool's;
    // one that found the mean already there changed nothing.
    if (before && *before != rec->waves[kStackedSlot]) {
        MarkWaveModified();
    }
}

void CKX7300Dlg::ToggleOptimize() {
    m_project->GetWorkspace().m_optimizeTouched = true;
    m_optimizeOn = !m_optimizeOn;
    Command(id::kBtnOptimize)->setChecked(m_optimizeOn);
}

void CKX7300Dlg::SpectrumZoomIn() {
    m_spectrumView->ZoomIn();
}
void CKX7300Dlg::SpectrumZoomOut() {
    m_spectrumView->ZoomOut();
}
void CKX7300Dlg::SpectrumResetZoom() {
    m_spectrumView->ResetZoom();
}

}  // namespace kx::ui
