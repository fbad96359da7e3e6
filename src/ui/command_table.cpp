#include "ui/command_table.h"

#include <Qt>

#include "res/ids.h"
#include "waveform/messages.h"

namespace kx::ui {

namespace {

using T = CommandTarget;

// A waveform tool: forwarded to the stacked view as view command `viewCommand`.
std::function<void(T&)> Tool(int viewCommand) {
    return [viewCommand](T& t) { t.ApplyViewCommand(viewCommand); };
}

// Entry `index` of 最近打开的工程.
std::function<void(T&)> RecentProject(int index) {
    return [index](T& t) { t.OpenRecentProject(index); };
}

std::vector<CommandEntry> BuildEntries() {
    using namespace id;
    const Guard none = Guard::kNone;
    const Guard file = Guard::kFileSelected;
    const Guard added = Guard::kFileAdded;
    const Guard stacked = Guard::kStackedTab;
    const bool greyed = true;
    // operation, menu bar, other ids, keys, requires, greyed until loaded, carried out by
    std::vector<CommandEntry> entries = {
        {"import raw data", kCmdImportRawData, {}, {}, none, false, &T::ImportRawData},
        {"open project", kCmdOpenProject, {kBtnOpen}, {}, none, false, &T::OpenProject},
        {"save", kCmdSave, {kBtnSave}, {}, added, greyed, &T::SaveRecord},
        {"save as", kCmdSaveAs, {kBtnSaveAs}, {}, added, greyed, &T::SaveRecordAs},
        {"Word report", kCmdWordReport, {}, {}, none, false, &T::ExportWordReport},
        {"add to print list",
         kCmdAddToPrintList,
         {kBtnAddToPrint, kCmdListAddToPrintList},
         {{kFileList, Qt::Key_Q}},
         added,
         greyed,
         &T::AddToPrintList},
        {"print settings", kCmdPrintSettings, {}, {}, none, greyed, &T::OpenPrintSettings},
        {"print preview", kCmdPrintPreview, {}, {}, none, false, &T::OpenPrintPreview},
        {"PDF report", kCmdExportPdf, {}, {}, none, false, &T::ExportPdf},
        {"unify site and testing unit",
         kCmdUnifySiteUnit,
         {},
         {},
         none,
         greyed,
         &T::UnifySiteAndUnit},
        {"exit", kCmdExit, {}, {}, none, false, &T::ExitProgram},
        {"delete blow",
         kCmdDeleteBlow,
         {kBtnDeleteBlow, kCmdRawDeleteBlow},
         {{kRawView, Qt::Key_X}, {kRawView, Qt::Key_Delete}},
         file,
         false,
         &T::DeleteBlow},
        {"undo delete blow",
         kCmdUndoDeleteBlow,
         {kBtnUndoDelete, kCmdRawUndoDeleteBlow},
         {{kRawView, Qt::Key_B}},
         file,
         false,
         &T::UndoDeleteBlow},
        {"pile-top marker",
         kCmdPileTop,
         {kBtnPileTop},
         {{kStackedView, Qt::Key_A}},
         stacked,
         false,
         &T::SetPileTop},
        {"defect marker",
         kCmdDefect,
         {kBtnDefect},
         {{kStackedView, Qt::Key_S}},
         stacked,
         false,
         &T::SetDefect},
        {"pile-bottom marker",
         kCmdPileBottom,
         {kBtnPileBottom},
         {{kStackedView, Qt::Key_D}},
         stacked,
         false,
         &T::SetPileBottom},
        {"length fixed", kCmdLengthFixed, {}, {}, none, false, &T::SetLengthFixed},
        {"speed fixed", kCmdSpeedFixed, {}, {}, none, false, &T::SetSpeedFixed},
        {"low-pass",
         kCmdLowPass,
         {kBtnLowPass},
         {{kLowPassEdit, Qt::Key_Return}},
         file,
         false,
         Tool(kViewLowPass)},
        {"zoom in", kCmdZoomIn, {kBtnZoomIn}, {}, file, false, Tool(kViewZoomIn)},
        {"zoom out", kCmdZoomOut, {kBtnZoomOut}, {}, file, false, Tool(kViewZoomOut)},
        {"zero", kCmdZero, {kBtnZero}, {}, file, false, Tool(kViewZero)},
        {"restore", kCmdRestore, {kBtnRestore}, {}, file, false, Tool(kViewRestore)},
        {"smooth", kCmdSmooth, {kBtnSmooth}, {}, file, false, Tool(kViewSmooth)},
        {"cut front", kCmdCutFront, {kBtnCutFront}, {}, file, false, Tool(kViewCutFront)},
        {"cut back", kCmdCutBack, {kBtnCutBack}, {}, file, false, Tool(kViewCutBack)},
        {"reverse", kCmdReverse, {kBtnReverse}, {}, file, false, Tool(kViewReverse)},
        {"integrate", kCmdIntegrate, {kBtnIntegrate}, {}, file, false, Tool(kViewIntegrate)},
        {"re-stack", kCmdRestack, {kBtnRestack}, {}, file, false, &T::RestackWave},
        {"about", kCmdAbout, {}, {}, none, false, &T::ShowAbout},
        {"user guide", kCmdUserGuide, {}, {}, none, false, &T::OpenUserGuide},
        {"hand-edit toggle", 0, {kBtnOptimize}, {}, none, false, &T::ToggleOptimize},
        {"remove from print list",
         0,
         {kCmdListRemoveFromPrintList},
         {{kFileList, Qt::Key_W}},
         none,
         false,
         &T::RemoveFromPrintList},
        {"add data files", 0, {kCmdListAddDataFiles}, {}, none, false, &T::AddDataFiles},
        {"remove from data list",
         0,
         {kCmdListRemoveFromDataList},
         {},
         none,
         false,
         &T::RemoveFromDataList},
        {"spectrum zoom in", 0, {kCmdSpectrumZoomIn}, {}, none, false, &T::SpectrumZoomIn},
        {"spectrum zoom out", 0, {kCmdSpectrumZoomOut}, {}, none, false, &T::SpectrumZoomOut},
        {"spectrum zoom reset", 0, {kCmdSpectrumReset}, {}, none, false, &T::SpectrumResetZoom},
        // The analysis aids. 自动识别桩底 tells why it does nothing on another tab itself.
        {"exponential amplification", kCmdAmplify, {kBtnAmplify}, {}, file, false, &T::AmplifyWave},
        {"find the pile toe", kCmdFindPileToe, {}, {}, file, false, &T::FindPileBottom},
        {"depth scale", kCmdDepthScale, {}, {}, none, false, &T::ToggleDepthScale},
    };
    for (int k = 0; k < kRecentProjectCount; ++k) {
        entries.push_back(
            {"recent project", kCmdRecentProject1 + k, {}, {}, none, false, RecentProject(k)});
    }
    return entries;
}

}  // namespace

CommandTable::CommandTable(CommandTarget& target) : m_target(target), m_entries(BuildEntries()) {}

const CommandEntry* CommandTable::Find(int commandId) const {
    for (const CommandEntry& e : m_entries) {
        if (e.menuId == commandId && commandId != 0) {
            return &e;
        }
        for (int other : e.otherIds) {
            if (other == commandId) {
                return &e;
            }
        }
    }
    return nullptr;
}

bool CommandTable::Execute(int commandId) {
    const CommandEntry* e = Find(commandId);
    if (e == nullptr) {
        return false;
    }
    switch (e->guard) {
        case Guard::kNone:
            break;
        case Guard::kFileSelected:
        case Guard::kStackedTab:
            if (!m_target.HasFileSelected()) {
                m_target.ShowMessage(QString::fromUtf8(kSelectFileFirst));
                return true;
            }
            if (e->guard == Guard::kStackedTab && !m_target.StackedTabActive()) {
                m_target.NoteMarkersNeedStackedTab();  // they act on the stacked view only
                return true;
            }
            break;
        case Guard::kFileAdded:
            if (!m_target.HasFileSelected()) {
                m_target.ShowMessage("请先添加文件！");
                return true;
            }
            break;
    }
    e->run(m_target);
    return true;
}

std::vector<int> CommandTable::GreyedUntilLoaded() const {
    std::vector<int> ids;
    for (const CommandEntry& e : m_entries) {
        if (!e.greyedUntilLoaded) {
            continue;
        }
        ids.push_back(e.menuId);
        // The toolbar buttons grey with their menu items; context-menu items never do.
        for (int other : e.otherIds) {
            if (other >= id::kBtnOpen && other <= id::kBtnOptimize) {
                ids.push_back(other);
            }
        }
    }
    return ids;
}

}  // namespace kx::ui
