// The open project in the main window. Owns the Workspace and the prompts it asks through,
// shows the workspace on the window's pages, views, file list and title (WorkspaceViews), and
// carries out the file commands.
//
// The loader reads the records beside the window's event loop: its progress shows in the
// status bar ("载入 k / n"), a row whose record is not loaded yet is selected as soon as it is
// (with a busy cursor meanwhile), commands that need every record wait for the end of the
// load the same way, and closing the window or opening another project stops the loader
// first. Files that could not be read are named in one message once the load is over.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "workspace/workspace.h"
#include "workspace/workspace_views.h"

class QProgressBar;

namespace kx::ui {

class CBackgroundTask;
class CKX7300Dlg;
class QtUserPrompts;

class CProjectController : public QObject, public WorkspaceViews {
    Q_OBJECT
public:
    explicit CProjectController(CKX7300Dlg* window);
    ~CProjectController() override;

    // ---- File commands ----
    void OpenProject();                      // 打开工程
    void OpenProjectAt(const QString& dir);  // the same without the folder browser
    void ImportRawData();                    // 导入原始数据
    bool Save();                             // 保存
    bool SaveAs();                           // 另存为
    void UnifySiteAndUnit();                 // 统一工地和检测单位
    void UnifyConclusion();                  // 统一信息 on the conclusion page
    void AddDataFile();                      // 新增数据文件
    void RemoveDataRow();                    // 移出数据列表
    void AddToPrintList();                   // 加入打印列表
    void RemoveFromPrintList();              // 移出打印列表
    // 导入原始数据 without the folder browser.
    void ImportRawDataAt(const QString& dir);
    // The window's close request, from 退出 or the close box: the save prompt. False keeps
    // the window open (the user chose to save and the save failed).
    bool CloseRequested();
    // Runs `command` now, or, while the project loads, once every record is loaded (with a
    // busy cursor meanwhile).
    void RunWhenLoaded(std::function<void()> command);

    // Selects the row of file `path` as a click on it would (its record shows once loaded);
    // false when the project lists no such file.
    bool SelectFile(const QString& path);

    // ---- The project ----
    Workspace& GetWorkspace() { return m_workspace; }
    const std::vector<DataRow>& Rows() const { return m_workspace.Rows(); }
    const PrintList& GetPrintList() const { return m_workspace.m_printList; }
    // The current record, null while no file is selected.
    PileRecord* CurrentRecord();
    // The loader is still reading records, or an import still converting files.
    bool Loading() const { return m_loadShown || m_importing; }
    // The window's long work beside its event loop (import, PDF, Word report).
    CBackgroundTask* Task() const { return m_task; }
    // The directory of the open project; empty while none is open.
    QString ProjectDir() const;
    // Where the program's folder browser starts.
    void SetFolderBrowserStart(const QString& dir);
    // Questions are answered by `prompts` (tests); null brings back the program's dialogs.
    void SetUserPrompts(UserPrompts* prompts);
    // What the workspace asks through (whatever answers behind it); for the other commands
    // that work on the project.
    UserPrompts& Prompts();

    // ---- WorkspaceViews ----
    PageTexts ReadPageTexts() override;
    void ShowRecordOnPages(const PileRecord& rec) override;
    bool CollectPagesIntoRecord(PileRecord& rec) override;
    void PlaceMarkersForRecord(PileRecord& rec) override;
    void SetBackupWave(const WaveSlot& stacked) override;
    void RestoreWave(PileRecord& rec) override;
    float DefectDepth(const PileRecord& rec) override;
    void ComputeSpectrum(const PileRecord& rec) override;
    void SetRawViewSelectedBlow(int blow) override;
    void SetAllViewRowCount(int rows) override;
    void SetWindowTitle(const std::string& utf8Title) override;
    void SetFileCommandsEnabled(bool enabled) override;
    void ClearOptimizeOn() override;
    void ShowOptimizeButtonPlain() override;
    void RepaintViews() override;
    void DataListChanged() override;
    void ShowListSelection(int row) override;
    void ShowNoRecord() override;

signals:
    // Every record of the project is loaded (or the loader was stopped).
    void loadFinished();
    // A project directory was opened (打开工程, 导入原始数据, the command line, a recent project).
    void projectOpened(const QString& dir);

private:
    class PromptsProxy;

    // Every call into the workspace goes through here: the selection comes back to the
    // window afterwards, and work waiting for the loader is looked at again.
    template <class F>
    auto Run(F&& call);
    void BeforeWorkspaceCall();
    void AfterWorkspaceCall();
    void OnRowSelected(int firstSelectedRow);
    void OnLoadProgress();
    // Shows the progress bar when a load has started since LoadsStarted() read `loadsBefore`.
    void LoadStarted(size_t loadsBefore);
    // Runs a pending selection or a command waiting for the load, and ends a finished load.
    void RunWaitingWork();
    void FinishLoad();
    // The command that waited for the load (RunWhenLoaded), run once.
    void RunAfterLoad();
    void UpdateBusyCursor();
    QString TypeText(size_t row) const;
    // 导入原始数据 of `dir` ("" asks for it): the conversion runs on the task's thread.
    void StartImport(const std::string& dir);
    void ListConvertedFiles();

    CKX7300Dlg* m_window;
    std::unique_ptr<QtUserPrompts> m_qtPrompts;
    std::unique_ptr<PromptsProxy> m_prompts;
    Workspace m_workspace;
    QProgressBar* m_progress = nullptr;
    PileRecord* m_shownRecord = nullptr;  // what the window and views were last given
    int32_t m_selectionsSeen = 0;         // selections when the edits last started afresh
    PileRecord* m_editsOf = nullptr;      // the record whose edits 撤销 holds
    std::function<void()> m_afterLoad;    // a command waiting for the end of the load
    std::atomic<bool> m_progressPosted{false};
    int m_depth = 0;           // nesting of workspace calls (modal dialogs run the event loop)
    bool m_loadShown = false;  // a load is in progress and its bar shown
    bool m_busy = false;       // the busy cursor is set
    CBackgroundTask* m_task = nullptr;
    bool m_importing = false;  // an import converts its files
    // Converted files the list does not show yet (filled by the import's thread).
    std::mutex m_convertedMutex;
    std::vector<std::string> m_converted;
    bool m_convertedPosted = false;
};

}  // namespace kx::ui
