// Every command of the main window as data: the operation, each id that reaches it (menu bar,
// context menus, toolbars), how its menu item and button look, the keys the list, the views
// and the pages turn into it, what it requires, and the handler it runs. The window makes one
// QAction of each row (CommandActions) and runs every pick of it through Execute, once.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace kx::ui {

// What a command requires before its handler runs.
enum class Guard {
    kNone,
    kFileSelected,  // no file selected: "请先选择文件！", nothing else
    kFileAdded,     // no file selected: "请先添加文件！", nothing else
    kStackedTab,    // as kFileSelected; and silently nothing while another view tab is shown
};

// A key that reaches a command: the id of the window that has the focus (the file list 1003,
// the raw view 10001, the stacked view 10002, the boxes 1008 and 1019) and the Qt key.
struct KeyTrigger {
    int focusId = 0;
    int key = 0;
};

// What the handlers act on: the main window. Every operation takes no argument and reads the
// window's state.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    virtual bool HasFileSelected() const = 0;
    virtual bool StackedTabActive() const = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // A marker command picked while another view tab is shown: it changes nothing and says so
    // without a message box.
    virtual void NoteMarkersNeedStackedTab() {}
    // Long work runs beside the window (import, PDF, Word report): no command starts meanwhile.
    virtual bool Busy() const { return false; }

    // File, print list and Word commands.
    virtual void ImportRawData() = 0;
    virtual void OpenProject() = 0;
    virtual void SaveRecord() = 0;
    virtual void SaveRecordAs() = 0;
    virtual void ExportWordReport() = 0;
    virtual void AddToPrintList() = 0;
    virtual void OpenPrintSettings() = 0;
    virtual void OpenPrintPreview() = 0;
    virtual void ExportPdf() = 0;
    virtual void UnifySiteAndUnit() = 0;
    virtual void ExitProgram() = 0;
    virtual void RemoveFromPrintList() = 0;
    virtual void AddDataFiles() = 0;
    virtual void RemoveFromDataList() = 0;
    // Blows, markers, tools.
    virtual void DeleteBlow() = 0;
    virtual void UndoDeleteBlow() = 0;
    virtual void SetPileTop() = 0;
    virtual void SetDefect() = 0;
    virtual void SetPileBottom() = 0;
    virtual void SetLengthFixed() = 0;
    virtual void SetSpeedFixed() = 0;
    // A waveform tool (view command 10001-10010), a file being selected.
    virtual void ApplyViewCommand(int viewCommand) = 0;
    virtual void RestackWave() = 0;
    virtual void ToggleOptimize() = 0;
    virtual void SpectrumZoomIn() = 0;
    virtual void SpectrumZoomOut() = 0;
    virtual void SpectrumResetZoom() = 0;
    virtual void ShowAbout() = 0;
    // The analysis aids: 指数放大 (a tool, after its gain dialog), 自动识别桩底, and the view
    // option 深度标尺.
    virtual void AmplifyWave() = 0;
    virtual void FindPileBottom() = 0;
    virtual void ToggleDepthScale() = 0;
    virtual void OpenUserGuide() = 0;
    // Entry `index` (0: the most recent) of 最近打开的工程.
    virtual void OpenRecentProject(int index) = 0;
    // 撤销, 重做: the edits of the current pile.
    virtual void UndoEdit() = 0;
    virtual void RedoEdit() = 0;
    // The view options 频率坐标 (the spectrum's frequency axis) and 时间深度坐标 (the stacked
    // view's time and depth axes).
    virtual void ToggleSpectrumAxis() = 0;
    virtual void ToggleStackedAxes() = 0;
    // 平均波速: the site's wave speed from its intact piles.
    virtual void ShowSiteWaveSpeed() = 0;
    // Called after each command the table ran (not after one its guard stopped).
    virtual void CommandDone() {}
};

struct CommandEntry {
    const char* operation = "";   // what the command does
    int menuId = 0;               // its menu-bar item; 0 when it has none
    std::vector<int> otherIds{};  // toolbar buttons and context-menu items
    std::vector<KeyTrigger> keys{};
    Guard guard = Guard::kNone;
    bool greyedUntilLoaded = false;  // menu item and button grey until a file has been loaded
    std::function<void(CommandTarget&)> run{};

    // How it looks. `caption` is the menu item's (the first context menu's when the command
    // has no menu-bar item); a context-menu item with a caption of its own is listed in
    // `captionOf` and gets an action of its own that runs the same command.
    const char* caption = "";
    std::vector<std::pair<int, const char*>> captionOf{};
    const char* buttonText = nullptr;  // the toolbar button's text; none: the caption
    int image = 0;                     // the button's image resource (0: none)
    bool imageInMenu = false;          // the menu item shows the image too
    const char* toolTip = nullptr;     // the button's tool tip; none: no tip
    bool checkable = false;
    // The desktop's standard keys for it (Ctrl+S 保存 ...); the single-letter keys of the
    // views and the list are `keys` above.
    QList<QKeySequence> shortcuts{};
};

class CommandTable {
public:
    explicit CommandTable(CommandTarget& target);

    const std::vector<CommandEntry>& Entries() const { return m_entries; }
    // The entry a command id (menu, toolbar or context-menu) belongs to; null for none.
    const CommandEntry* Find(int commandId) const;
    // Checks the entry's guard and runs its handler once. False for an unknown id.
    bool Execute(int commandId);
    void Execute(const CommandEntry& entry);
    // The menu-bar items and buttons greyed until a file has been loaded.
    std::vector<int> GreyedUntilLoaded() const;

private:
    CommandTarget& m_target;
    std::vector<CommandEntry> m_entries;
};

}  // namespace kx::ui
