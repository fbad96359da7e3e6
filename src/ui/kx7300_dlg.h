// The main window: menu bar, two toolbars, the file list of the open project, the info tab
// with its five pages, the remarks box and the views tab with the four waveform views and the
// impedance profile.
//
// The project data lives with the workspace (CProjectController); the window only holds the
// current record (the pages show and collect it) and the current path (empty: no file
// selected). Every command is a row of the command table, made one QAction (CommandActions)
// and run by the handler of this window that the row names.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/pile_analysis_cache.h"
#include "print/print_settings.h"
#include "record/pile_record.h"
#include "record/status.h"
#include "res/app_title.h"
#include "ui/command_actions.h"
#include "ui/command_table.h"
#include "waveform/pile_markers.h"
#include "widgets/message_prompt.h"
#include "widgets/page_host.h"
#include "workspace/page_texts.h"
#include "workspace/site_summary.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace kx {
class CYuanShiBoXin;
class CMyDieJia;
class CMyPinPu;
class CAllBoXin;
class CZuKangQuXian;
}  // namespace kx

class QDialog;

namespace kx::ui {

class CImageToolBar;
class CMytoolBar;
class CMylistCtrl;
class TabControl;
class CGongChengXX;
class CZhongTiXX;
class CBoXingXX;
class CPage4;
class CSheBeiXingxi;
class CProjectController;
class CPrintCommands;
class CWordCommands;
class CRecentProjects;
class CPileUndo;
class CFileNotice;
class CSiteSummaryDock;
struct PileEditState;

class CKX7300Dlg : public QMainWindow, public PageHost, public CommandTarget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = kAppTitle;

    explicit CKX7300Dlg(QWidget* parent = nullptr);
    ~CKX7300Dlg() override;

    // Places every child from the current client size.
    void LayoutChildren();
    // Enables or greys the commands that need a loaded file.
    void SetFileCommandsEnabled(bool enabled);
    // Shows view tab `index` (0 原始波型 ... 4 阻抗曲线) as a click on it does.
    void ShowViewTab(int index);

    // Copies the current record onto the pages and the remarks box. A test date or time that
    // cannot be read is reported in a message box and ends the copy there (false).
    bool ShowRecordOnPages();
    // Copies the editable controls back into the current record. Fails, changing nothing,
    // when a text cannot be stored in GBK; the message box has then been shown.
    Status CollectPagesIntoRecord();
    // What the boxes of the pages and the remarks box show now.
    PageBoxes ReadPageBoxes() const;

    // Applies a waveform tool (view commands 10001-10010) to the current record, or says
    // "请先选择文件！" when no file is selected.
    void ForwardToolCommand(int viewCommand);

    // ---- data hooks for the workspace ----
    // The current record (null: none); the stacked and raw views draw it.
    void SetCurrentRecord(PileRecord* record);
    PileRecord* CurrentRecord() const { return m_currentRecord; }
    void SetCurrentPath(std::string path) { m_currentPath = std::move(path); }
    const std::string& CurrentPath() const { return m_currentPath; }
    // The defect position of a record in metres (box 1019).
    void SetDefectDepthFunction(std::function<float(const PileRecord&)> fn);
    // Asked before the window closes; false keeps it open.
    void SetCloseHandler(std::function<bool()> fn) { m_closeHandler = std::move(fn); }
    void SetPromptHandler(PromptHandler fn) { m_prompt = std::move(fn); }

    // Runs a command id through the command table, as a pick of it does.
    void ExecuteCommand(int commandId);
    const CommandTable& Commands() const { return *m_commands; }

    // The print settings: their defaults until a print dialog is confirmed.
    PrintSettings& PrintSettingsRef() { return m_printSettings; }

    // ---- state ----
    bool StackedTabActive() const override { return m_stackedTabActive; }
    void NoteMarkersNeedStackedTab() override;
    // The change flags are the workspace's (m_waveModified, m_optimizeTouched): the tools
    // set them there, the save prompt reads them there.
    bool WaveModified() const;
    bool OptimizeTouched() const;
    bool OptimizeOn() const { return m_optimizeOn; }
    // Hand-edit mode off and its button plain (a file was selected).
    void ClearOptimize();
    const QRect& ClientRect() const { return m_clientRect; }

    // ---- children ----
    QWidget* Client() const { return m_client; }
    CMylistCtrl* FileList() const { return m_fileList; }
    TabControl* InfoTab() const { return m_infoTab; }
    TabControl* ViewTab() const { return m_viewTab; }
    QPlainTextEdit* RemarksEdit() const { return m_remarks; }
    QGroupBox* RemarksGroup() const { return m_remarksGroup; }
    CGongChengXX* ProjectPage() const { return m_projectPage; }
    CZhongTiXX* ParameterPage() const { return m_parameterPage; }
    CBoXingXX* WaveformPage() const { return m_waveformPage; }
    CPage4* ConclusionPage() const { return m_conclusionPage; }
    CSheBeiXingxi* DevicePage() const { return m_devicePage; }
    CYuanShiBoXin* RawView() const { return m_rawView; }
    CMyDieJia* StackedView() const { return m_stackedView; }
    CMyPinPu* SpectrumView() const { return m_spectrumView; }
    CAllBoXin* AllView() const { return m_allView; }
    CZuKangQuXian* ImpedanceView() const { return m_impedanceView; }
    CImageToolBar* MainToolBar() const { return m_mainToolBar; }
    CMytoolBar* ToolsToolBar() const { return m_toolsToolBar; }
    // The action a command id (menu bar, toolbar or context menu) triggers.
    QAction* Command(int commandId) const;

    // The open project and the file commands.
    CProjectController* Project() const { return m_project.get(); }
    // 打印设置, 打印预览, 输出PDF; 输出到WORD; 最近打开的工程.
    CPrintCommands* PrintCommands() const { return m_printCommands; }
    CWordCommands* WordCommands() const { return m_wordCommands; }
    CRecentProjects* RecentProjects() const { return m_recent; }
    // The status bar: the open project, whether the shown pile has unsaved changes, and the
    // word on the file last written.
    QLabel* ProjectLabel() const { return m_projectLabel; }
    QLabel* UnsavedLabel() const { return m_unsavedLabel; }
    CFileNotice* FileNotice() const { return m_fileNotice; }

    // ---- The analysis aids ----
    // Where 深度标尺 is remembered (QSettings of the application).
    static constexpr const char* kDepthScaleSetting = "view/depthScale";
    // Where 频率坐标 and 时间深度坐标 are remembered.
    static constexpr const char* kSpectrumAxisSetting = "view/spectrumAxis";
    static constexpr const char* kStackedAxesSetting = "view/stackedAxes";
    // Who answers 指数放大's gain question (tests); unset: the gain dialog.
    void SetAmplifyGainAsker(std::function<std::optional<double>()> ask) {
        m_askAmplifyGain = std::move(ask);
    }
    // The analysis (toe, defects, impedance profile) of the current record, computed once per
    // change. It reads the stacked waveform as the file was selected (as the project loader
    // left it): the tools reshape the waveform for the eye, 指数放大 above all, not for the fit.
    const PileAnalysis& AnalysisOf(const PileRecord& current);

    // PageHost and CommandTarget
    bool HasFileSelected() const override { return !m_currentPath.empty(); }
    bool Busy() const override;
    void ShowMessage(const QString& text) override;
    void ApplyViewCommand(int viewCommand) override;
    void DefectFromPosition() override;
    void UnifyConclusionInfo() override;

    // CommandTarget: the handlers of the command table.
    void ImportRawData() override;
    void OpenProject() override;
    void SaveRecord() override;
    void SaveRecordAs() override;
    void ExportWordReport() override;
    void AddToPrintList() override;
    void OpenPrintSettings() override;
    void OpenPrintPreview() override;
    void ExportPdf() override;
    void UnifySiteAndUnit() override;
    void ExitProgram() override;
    void RemoveFromPrintList() override;
    void AddDataFiles() override;
    void RemoveFromDataList() override;
    void DeleteBlow() override;
    void UndoDeleteBlow() override;
    void SetPileTop() override;
    void SetDefect() override;
    void SetPileBottom() override;
    void SetLengthFixed() override;
    void SetSpeedFixed() override;
    void RestackWave() override;
    void ToggleOptimize() override;
    void SpectrumZoomIn() override;
    void SpectrumZoomOut() override;
    void SpectrumResetZoom() override;
    void ShowAbout() override;
    void AmplifyWave() override;
    void FindPileBottom() override;
    void ToggleDepthScale() override;
    void OpenUserGuide() override;
    void OpenRecentProject(int index) override;
    void UndoEdit() override;
    void RedoEdit() override;
    void ToggleSpectrumAxis() override;
    void ToggleStackedAxes() override;
    void ShowSiteWaveSpeed() override;
    // The site's piles as the summary shows them: every row of the list, the loaded records
    // analysed (the shown pile as it was selected, and whether its edits are saved).
    std::vector<SiteSummaryRow> SiteRows();
    CSiteSummaryDock* SiteSummary() const { return m_siteDock; }
    // The proposal of the shown pile on 结论信息, after it is shown or its markers change.
    void ShowProposedClass();
    // 采用: the proposal into the class box, as a pick of it is (an edit to undo and to save).
    void AdoptProposedClass();
    // The site's mean as the shown pile's wave speed in 波速固定, and the same for the piles of
    // these list rows opened one after another (平均波速's 应用到选中的桩).
    void ApplyWaveSpeed(double speedMps);
    void ApplyWaveSpeedTo(const std::vector<int>& rows, double speedMps);
    // Tests look at the 平均波速 dialog instead of running it.
    void SetSiteDialogHook(std::function<void(QDialog&)> fn) { m_siteDialogShown = std::move(fn); }
    void CommandDone() override;

    // ---- 撤销 / 重做 ----
    // A pile was selected, or the project's records were written by a batch command: the
    // steps of the current pile start afresh.
    void StartEditsAfresh();
    // Records an edit of the current pile as one step when it changed anything.
    void RecordEdit();
    CPileUndo& Undo() { return *m_undo; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool OnInitDialog();
    void BuildMenuBar();
    void BuildToolBars();
    void BuildFileList();
    void BuildInfoTab();
    void BuildViewTab();
    // Adds the actions of these command ids to the menu, in order; 0 adds a separator.
    void AddMenuCommands(QMenu* menu, std::initializer_list<int> commandIds);
    // Gives the views their hooks and context menus.
    void ConnectViews();
    // The analysis aids' hooks, and 深度标尺 as it was left.
    void ConnectAnalysisAids();
    // 工程汇总 in the 视图 menu, hidden; 采用 on 结论信息.
    void BuildSiteSummary();
    // The record the tools and markers act on: null while no file is selected.
    PileRecord* SelectedRecord() const;
    // A marker operation on the stacked view's markers, with the page boxes it reads and
    // writes; then its message and repaint.
    void RunMarkerCommand(MarkerOutcome (*operation)(MarkerState&));
    // The current pile's state for 撤销 (none while no file is selected), and putting one back.
    std::optional<PileEditState> CaptureEdit();
    void ApplyEdit(const PileEditState& state);
    // The boxes an edit changes, shown again (the cursor readouts stay).
    void ShowEditedBoxes(const PageBoxes& boxes);
    // Page edits become steps as they are finished.
    void RecordFinishedPageEdits();
    // Shows the raw view's tab so that a blow can be picked (m_stackedTabActive unchanged).
    void ShowRawViewTab();
    // The current record was changed by a tool: the save prompt offers to save it.
    void MarkWaveModified();
    void OnInfoTabChanged(int index);
    void OnViewTabChanged(int index);
    void OnFileListContextMenu(const QPoint& pos);
    bool FilterKey(QWidget* target, QKeyEvent* key);
    bool AnswerToolTip(QWidget* target, QEvent* event);
    bool IsInsidePage(const QWidget* w) const;
    PromptAnswer Prompt(const QString& text, const QString& caption, PromptButtons buttons);

    QWidget* m_client = nullptr;
    QMenu* m_fileListMenu = nullptr;  // menu 156
    QMenu* m_rawViewMenu = nullptr;   // menu 167
    QMenu* m_spectrumMenu = nullptr;  // menu 169
    std::unique_ptr<CommandTable> m_commands;
    std::unique_ptr<CommandActions> m_actions;
    CImageToolBar* m_mainToolBar = nullptr;
    CMytoolBar* m_toolsToolBar = nullptr;
    bool m_layoutReady = false;
    CMylistCtrl* m_fileList = nullptr;
    TabControl* m_infoTab = nullptr;
    CGongChengXX* m_projectPage = nullptr;
    CZhongTiXX* m_parameterPage = nullptr;
    CBoXingXX* m_waveformPage = nullptr;
    CPage4* m_conclusionPage = nullptr;
    CSheBeiXingxi* m_devicePage = nullptr;
    QGroupBox* m_remarksGroup = nullptr;
    QPlainTextEdit* m_remarks = nullptr;
    TabControl* m_viewTab = nullptr;
    QRect m_clientRect;
    CYuanShiBoXin* m_rawView = nullptr;
    CMyDieJia* m_stackedView = nullptr;
    CMyPinPu* m_spectrumView = nullptr;
    CAllBoXin* m_allView = nullptr;
    CZuKangQuXian* m_impedanceView = nullptr;
    PileAnalysisCache m_analysis;
    std::function<std::optional<double>()> m_askAmplifyGain;
    bool m_stackedTabActive = true;
    bool m_optimizeOn = false;

    PrintSettings m_printSettings;
    PileRecord* m_currentRecord = nullptr;
    std::string m_currentPath;
    std::function<float(const PileRecord&)> m_defectDepth;
    std::function<bool()> m_closeHandler;
    PromptHandler m_prompt;
    std::unique_ptr<CProjectController> m_project;
    CPrintCommands* m_printCommands = nullptr;
    CWordCommands* m_wordCommands = nullptr;
    CRecentProjects* m_recent = nullptr;
    CPileUndo* m_undo = nullptr;
    QLabel* m_projectLabel = nullptr;
    QLabel* m_unsavedLabel = nullptr;
    CFileNotice* m_fileNotice = nullptr;
    CSiteSummaryDock* m_siteDock = nullptr;
    std::function<void(QDialog&)> m_siteDialogShown;
    // Builds the status bar's project name, unsaved mark and file notice.
    void BuildStatusBar();
    // 保存 or 另存为 wrote the pile: the unsaved mark goes and the status bar says where.
    void FileSaved(const QString& what);
    void ShowProjectName(const QString& dir);
};

}  // namespace kx::ui
