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

// A waveform tool of the 工具 menu and the tools toolbar, whose button shows the caption.
CommandEntry ToolEntry(const char* operation, int menuId, int buttonId, const char* caption,
                       int viewCommand) {
    return {.operation = operation,
            .menuId = menuId,
            .otherIds = {buttonId},
            .guard = Guard::kFileSelected,
            .run = Tool(viewCommand),
            .caption = caption};
}

std::vector<CommandEntry> BuildEntries() {
    using namespace id;
    const Guard file = Guard::kFileSelected;
    const Guard added = Guard::kFileAdded;
    const Guard stacked = Guard::kStackedTab;
    std::vector<CommandEntry> entries = {
        // 文件
        {.operation = "import raw data",
         .menuId = kCmdImportRawData,
         .run = &T::ImportRawData,
         .caption = "导入原始数据"},
        {.operation = "open project",
         .menuId = kCmdOpenProject,
         .otherIds = {kBtnOpen},
         .run = &T::OpenProject,
         .caption = "打开工程",
         .buttonText = "打开",
         .image = kBitmapOpen,
         .imageInMenu = true,
         .toolTip = "打开",
         .shortcuts = {QKeySequence::Open}},
        {.operation = "save",
         .menuId = kCmdSave,
         .otherIds = {kBtnSave},
         .guard = added,
         .greyedUntilLoaded = true,
         .run = &T::SaveRecord,
         .caption = "保存",
         .image = kBitmapSave,
         .imageInMenu = true,
         .toolTip = "保存",
         .shortcuts = {QKeySequence::Save}},
        {.operation = "save as",
         .menuId = kCmdSaveAs,
         .otherIds = {kBtnSaveAs},
         .guard = added,
         .greyedUntilLoaded = true,
         .run = &T::SaveRecordAs,
         .caption = "另存为",
         .image = kBitmapSaveAs,
         .imageInMenu = true,
         .toolTip = "另存为",
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {.operation = "Word report",
         .menuId = kCmdWordReport,
         .run = &T::ExportWordReport,
         .caption = "输出到WORD",
         .image = kBitmapPrint,
         .imageInMenu = true},
        {.operation = "add to print list",
         .menuId = kCmdAddToPrintList,
         .otherIds = {kBtnAddToPrint, kCmdListAddToPrintList},
         .keys = {{kFileList, Qt::Key_Q}},
         .guard = added,
         .greyedUntilLoaded = true,
         .run = &T::AddToPrintList,
         .caption = "加入打印列表  &Q",
         .captionOf = {{kCmdListAddToPrintList, "加入打印列表(&Q)"}},
         .buttonText = "加入打印",
         .image = kBitmapPrint,
         .toolTip = "加入打印列表"},
        {.operation = "print settings",
         .menuId = kCmdPrintSettings,
         .greyedUntilLoaded = true,
         .run = &T::OpenPrintSettings,
         .caption = "打印设置"},
        {.operation = "print preview",
         .menuId = kCmdPrintPreview,
         .run = &T::OpenPrintPreview,
         .caption = "打印预览",
         .shortcuts = {QKeySequence::Print}},
        {.operation = "PDF report",
         .menuId = kCmdExportPdf,
         .run = &T::ExportPdf,
         .caption = "输出PDF"},
        {.operation = "unify site and testing unit",
         .menuId = kCmdUnifySiteUnit,
         .greyedUntilLoaded = true,
         .run = &T::UnifySiteAndUnit,
         .caption = "统一工地和检测单位"},
        {.operation = "exit",
         .menuId = kCmdExit,
         .run = &T::ExitProgram,
         .caption = "退出(X)",
         .image = kBitmapExit,
         .imageInMenu = true,
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
        // 编辑
        {.operation = "delete blow",
         .menuId = kCmdDeleteBlow,
         .otherIds = {kBtnDeleteBlow, kCmdRawDeleteBlow},
         .keys = {{kRawView, Qt::Key_X}, {kRawView, Qt::Key_Delete}},
         .guard = file,
         .run = &T::DeleteBlow,
         .caption = "删除波型 &X",
         .captionOf = {{kCmdRawDeleteBlow, "删除波形  &X"}},
         .buttonText = "删除波型 X",
         .image = kBitmapDeleteBlow,
         .imageInMenu = true,
         .toolTip = "删除波型"},
        {.operation = "undo delete blow",
         .menuId = kCmdUndoDeleteBlow,
         .otherIds = {kBtnUndoDelete, kCmdRawUndoDeleteBlow},
         .keys = {{kRawView, Qt::Key_B}},
         .guard = file,
         .run = &T::UndoDeleteBlow,
         .caption = "撤销删除波形 &B",
         .captionOf = {{kCmdRawUndoDeleteBlow, "撤销删除波形  &B"}},
         .buttonText = "撤销删除 B",
         .image = kBitmapUndoDelete,
         .imageInMenu = true,
         .toolTip = "撤销删除"},
        {.operation = "pile-top marker",
         .menuId = kCmdPileTop,
         .otherIds = {kBtnPileTop},
         .keys = {{kStackedView, Qt::Key_A}},
         .guard = stacked,
         .run = &T::SetPileTop,
         .caption = "桩顶  &A",
         .buttonText = "桩顶(A)",
         .image = kBitmapPileTop,
         .toolTip = "桩顶"},
        {.operation = "defect marker",
         .menuId = kCmdDefect,
         .otherIds = {kBtnDefect},
         .keys = {{kStackedView, Qt::Key_S}},
         .guard = stacked,
         .run = &T::SetDefect,
         .caption = "缺陷  &S",
         .buttonText = "缺陷(S)",
         .image = kBitmapDefect,
         .toolTip = "缺陷"},
        {.operation = "pile-bottom marker",
         .menuId = kCmdPileBottom,
         .otherIds = {kBtnPileBottom},
         .keys = {{kStackedView, Qt::Key_D}},
         .guard = stacked,
         .run = &T::SetPileBottom,
         .caption = "桩底  &D",
         .buttonText = "桩底(D)",
         .image = kBitmapPileBottom,
         .toolTip = "桩底"},
        {.operation = "undo",
         .menuId = kCmdUndo,
         .run = &T::UndoEdit,
         .caption = "撤销",
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {.operation = "redo",
         .menuId = kCmdRedo,
         .run = &T::RedoEdit,
         .caption = "重做",
         .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Y),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        // 自动识别桩底 tells why it does nothing on another tab itself.
        {.operation = "find the pile toe",
         .menuId = kCmdFindPileToe,
         .guard = file,
         .run = &T::FindPileBottom,
         .caption = "自动识别桩底"},
        {.operation = "length fixed",
         .menuId = kCmdLengthFixed,
         .run = &T::SetLengthFixed,
         .caption = "桩长固定",
         .checkable = true},
        {.operation = "speed fixed",
         .menuId = kCmdSpeedFixed,
         .run = &T::SetSpeedFixed,
         .caption = "波速固定",
         .checkable = true},
        // 工具
        ToolEntry("low-pass", kCmdLowPass, kBtnLowPass, "低通", kViewLowPass),
        ToolEntry("zoom in", kCmdZoomIn, kBtnZoomIn, "放大", kViewZoomIn),
        ToolEntry("zoom out", kCmdZoomOut, kBtnZoomOut, "缩小", kViewZoomOut),
        ToolEntry("zero", kCmdZero, kBtnZero, "归零", kViewZero),
        ToolEntry("restore", kCmdRestore, kBtnRestore, "还原", kViewRestore),
        ToolEntry("smooth", kCmdSmooth, kBtnSmooth, "平滑", kViewSmooth),
        ToolEntry("cut front", kCmdCutFront, kBtnCutFront, "前切", kViewCutFront),
        ToolEntry("cut back", kCmdCutBack, kBtnCutBack, "后切", kViewCutBack),
        ToolEntry("reverse", kCmdReverse, kBtnReverse, "反向", kViewReverse),
        ToolEntry("integrate", kCmdIntegrate, kBtnIntegrate, "积分", kViewIntegrate),
        {.operation = "re-stack",
         .menuId = kCmdRestack,
         .otherIds = {kBtnRestack},
         .guard = file,
         .run = &T::RestackWave,
         .caption = "重新叠加"},
        {.operation = "exponential amplification",
         .menuId = kCmdAmplify,
         .otherIds = {kBtnAmplify},
         .guard = file,
         .run = &T::AmplifyWave,
         .caption = "指数放大"},
        {.operation = "site wave speed",
         .menuId = kCmdSiteSpeed,
         .run = &T::ShowSiteWaveSpeed,
         .caption = "平均波速"},
        // 视图, 帮助
        {.operation = "depth scale",
         .menuId = kCmdDepthScale,
         .run = &T::ToggleDepthScale,
         .caption = "深度标尺",
         .checkable = true},
        {.operation = "spectrum frequency axis",
         .menuId = kCmdSpectrumAxis,
         .run = &T::ToggleSpectrumAxis,
         .caption = "频率坐标",
         .checkable = true},
        {.operation = "stacked time and depth axes",
         .menuId = kCmdStackedAxes,
         .run = &T::ToggleStackedAxes,
         .caption = "时间深度坐标",
         .checkable = true},
        {.operation = "user guide",
         .menuId = kCmdUserGuide,
         .run = &T::OpenUserGuide,
         .caption = "使用说明",
         .shortcuts = {QKeySequence(Qt::Key_F1)}},
        {.operation = "about", .menuId = kCmdAbout, .run = &T::ShowAbout, .caption = "关于"},
        // The main toolbar's own button.
        {.operation = "hand-edit toggle",
         .otherIds = {kBtnOptimize},
         .run = &T::ToggleOptimize,
         .caption = "优化",
         .image = kBitmapOptimize,
         .checkable = true},
        // The file list's menu 156.
        {.operation = "remove from print list",
         .otherIds = {kCmdListRemoveFromPrintList},
         .keys = {{kFileList, Qt::Key_W}},
         .run = &T::RemoveFromPrintList,
         .caption = "移出打印列表(&W)"},
        {.operation = "add data files",
         .otherIds = {kCmdListAddDataFiles},
         .run = &T::AddDataFiles,
         .caption = "新增数据文件"},
        {.operation = "remove from data list",
         .otherIds = {kCmdListRemoveFromDataList},
         .run = &T::RemoveFromDataList,
         .caption = "移出数据列表"},
        // The spectrum view's menu 169.
        {.operation = "spectrum zoom in",
         .otherIds = {kCmdSpectrumZoomIn},
         .run = &T::SpectrumZoomIn,
         .caption = "放大"},
        {.operation = "spectrum zoom out",
         .otherIds = {kCmdSpectrumZoomOut},
         .run = &T::SpectrumZoomOut,
         .caption = "缩小"},
        {.operation = "spectrum zoom reset",
         .otherIds = {kCmdSpectrumReset},
         .run = &T::SpectrumResetZoom,
         .caption = "还原"},
    };
    // 最近打开的工程: the captions are the projects' directories.
    for (int k = 0; k < kRecentProjectCount; ++k) {
        entries.push_back({.operation = "recent project",
                           .menuId = kCmdRecentProject1 + k,
                           .run = [k](T& t) { t.OpenRecentProject(k); }});
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
    Execute(*e);
    return true;
}

void CommandTable::Execute(const CommandEntry& e) {
    if (m_target.Busy()) {
        return;
    }
    switch (e.guard) {
        case Guard::kNone:
            break;
        case Guard::kFileSelected:
        case Guard::kStackedTab:
            if (!m_target.HasFileSelected()) {
                m_target.ShowMessage(QString::fromUtf8(kSelectFileFirst));
                return;
            }
            if (e.guard == Guard::kStackedTab && !m_target.StackedTabActive()) {
                m_target.NoteMarkersNeedStackedTab();  // they act on the stacked view only
                return;
            }
            break;
        case Guard::kFileAdded:
            if (!m_target.HasFileSelected()) {
                m_target.ShowMessage("请先添加文件！");
                return;
            }
            break;
    }
    e.run(m_target);
    m_target.CommandDone();
}

std::vector<int> CommandTable::GreyedUntilLoaded() const {
    std::vector<int> ids;
    for (const CommandEntry& e : m_entries) {
        if (e.greyedUntilLoaded) {
            ids.push_back(e.menuId);
        }
    }
    return ids;
}

}  // namespace kx::ui
