#include "ui/project_controller.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimeEdit>
#include <algorithm>

#include "res/ids.h"
#include "ui/background_task.h"
#include "ui/bo_xing_xx.h"
#include "ui/gong_cheng_xx.h"
#include "ui/kx7300_dlg.h"
#include "ui/my_list_ctrl.h"
#include "ui/page4.h"
#include "ui/qt_user_prompts.h"
#include "ui/record_date_time.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/qt/zu_kang_qu_xian.h"
#include "widgets/gbk_text.h"
#include "widgets/quiet_progress.h"

namespace kx::ui {

// The workspace holds one UserPrompts for its whole life; tests swap what answers behind it.
class CProjectController::PromptsProxy : public UserPrompts {
public:
    explicit PromptsProxy(UserPrompts* target) : m_target(target) {}
    void SetTarget(UserPrompts* target) { m_target = target; }
    UserPrompts& Target() { return *m_target; }

    void ShowMessage(const std::string& text, const std::string& caption) override {
        m_target->ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return m_target->AskYesNo(text, caption);
    }
    SaveAnswer AskSaveChanges(const std::string& text, const std::string& caption) override {
        return m_target->AskSaveChanges(text, caption);
    }
    std::optional<std::string> BrowseForFolder(const std::string& title) override {
        return m_target->BrowseForFolder(title);
    }
    std::optional<std::string> AskOpenFile(const std::string& filter) override {
        return m_target->AskOpenFile(filter);
    }
    std::optional<std::string> AskSaveFile(const std::string& initialName,
                                           const std::string& filter) override {
        return m_target->AskSaveFile(initialName, filter);
    }
    OverwriteAnswer AskOverwrite(const std::string& message) override {
        return m_target->AskOverwrite(message);
    }

private:
    UserPrompts* m_target;
};

CProjectController::CProjectController(CKX7300Dlg* window)
    : QObject(window),
      m_window(window),
      m_qtPrompts(std::make_unique<QtUserPrompts>(window)),
      m_prompts(std::make_unique<PromptsProxy>(m_qtPrompts.get())),
      m_workspace(*m_prompts, *this) {
    // The window's event loop keeps running while a selected row's record loads.
    m_workspace.SetSelectionWaitsForLoader(false);
    m_workspace.SetLoadProgressCallback([this](size_t, size_t) {
        // At most one progress event waits in the queue, however fast records come.
        if (!m_progressPosted.exchange(true)) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_progressPosted = false;
                    OnLoadProgress();
                },
                Qt::QueuedConnection);
        }
    });

    m_task = new CBackgroundTask(window->statusBar(), *m_prompts, this);
    m_progress = new QProgressBar(window);
    m_progress->setObjectName("loadProgress");
    m_progress->setFormat("载入 %v / %m");
    m_progress->setMaximumWidth(260);
    m_progress->hide();
    window->statusBar()->addPermanentWidget(m_progress);

    CMylistCtrl* list = window->FileList();
    list->SetRowSource([this](int row) {
        CMylistCtrl::RowTexts texts;
        const size_t i = static_cast<size_t>(row);
        if (row < 0 || i >= m_workspace.Rows().size()) {
            return texts;
        }
        const DataRow& r = m_workspace.Rows()[i];
        texts.name = QFile::decodeName(r.name.c_str());
        texts.printed = r.PrintedText();
        texts.type = TypeText(i);
        return texts;
    });
    connect(list, &CMylistCtrl::rowSelected, this, &CProjectController::OnRowSelected);
    // Q and W are triggers of the command table's rows, as the list menu's items are.
    connect(list, &CMylistCtrl::addToPrintListKey, this,
            [window] { window->ExecuteCommand(id::kCmdListAddToPrintList); });
    connect(list, &CMylistCtrl::removeFromPrintListKey, this,
            [window] { window->ExecuteCommand(id::kCmdListRemoveFromPrintList); });
    window->SetCloseHandler([this] { return CloseRequested(); });
    // A double click on a band of 所有波型 opens that pile, as a click on its row would.
    window->AllView()->SetOpenRow([this](int row) {
        m_window->FileList()->ShowSelection(row);
        OnRowSelected(row);
        if (m_workspace.m_currentIndex == row) {
            m_window->ShowViewTab(1);  // 叠加波型
        }
    });
    window->AllView()->SetRowSource([this](int row) {
        CAllBoXin::Row band;
        const size_t i = static_cast<size_t>(row);
        if (row < 0 || i >= m_workspace.Rows().size()) {
            return band;
        }
        band.name = QFile::decodeName(m_workspace.Rows()[i].name.c_str());
        if (!m_workspace.RowUnreadable(i)) {
            band.record = m_workspace.m_records.TryGet(i);
        }
        return band;
    });
}

CProjectController::~CProjectController() {
    m_task->Stop();
    // No loader thread may outlive what its progress reports go to.
    m_workspace.m_records.StopLoading();
    if (m_busy) {
        QApplication::restoreOverrideCursor();
    }
}

QString CProjectController::ProjectDir() const {
    return QFile::decodeName(m_workspace.ProjectDir().c_str());
}

void CProjectController::SetFolderBrowserStart(const QString& dir) {
    m_qtPrompts->SetFolderBrowserStart(dir);
}

void CProjectController::SetUserPrompts(UserPrompts* prompts) {
    m_prompts->SetTarget(prompts != nullptr ? prompts : m_qtPrompts.get());
}

UserPrompts& CProjectController::Prompts() {
    return *m_prompts;
}

PileRecord* CProjectController::CurrentRecord() {
    return m_workspace.HasCurrentRecord()
               ? m_workspace.m_records.TryGet(static_cast<size_t>(m_workspace.m_currentIndex))
               : nullptr;
}

// ---- Calls into the workspace ----

template <class F>
auto CProjectController::Run(F&& call) {
    BeforeWorkspaceCall();
    struct After {
        CProjectController* self;
        ~After() { self->AfterWorkspaceCall(); }
    } after{this};
    return call();
}

void CProjectController::BeforeWorkspaceCall() {
    ++m_depth;
}

void CProjectController::AfterWorkspaceCall() {
    --m_depth;
    m_window->SetCurrentPath(m_workspace.m_currentPath);
    if (PileRecord* current = CurrentRecord(); current != m_shownRecord) {
        if (current == nullptr) {
            ShowNoRecord();
        } else {
            m_shownRecord = current;
            m_window->SetCurrentRecord(current);
            m_window->RawView()->SetRecord(current);
            m_window->StackedView()->SetRecord(current);
        }
    }
    // A pile selected (again) or another record shown: its edits start afresh.
    if (m_workspace.g_selectionCount != m_selectionsSeen || m_editsOf != m_shownRecord) {
        m_selectionsSeen = m_workspace.g_selectionCount;
        m_editsOf = m_shownRecord;
        m_window->StartEditsAfresh();
    }
    if (m_depth == 0) {
        RunWaitingWork();
    }
    UpdateBusyCursor();
}

// ---- File commands ----

void CProjectController::OpenProject() {
    m_afterLoad = nullptr;
    const size_t loads = m_workspace.m_records.LoadsStarted();
    Run([&] { m_workspace.OpenProject(); });
    LoadStarted(loads);
}

namespace {

std::string AbsoluteLocalPath(const QString& path) {
    return path.isEmpty() ? std::string()
                          : QFile::encodeName(QDir::cleanPath(QFileInfo(path).absoluteFilePath()))
                                .toStdString();
}

}  // namespace

void CProjectController::OpenProjectAt(const QString& dir) {
    m_afterLoad = nullptr;
    const std::string path = AbsoluteLocalPath(dir);
    const size_t loads = m_workspace.m_records.LoadsStarted();
    Run([&] { m_workspace.OpenProjectAt(path); });
    LoadStarted(loads);
}

void CProjectController::ImportRawData() {
    if (m_task->Running()) {
        return;
    }
    const std::optional<std::string> dir = Prompts().BrowseForFolder("请选择目录：");
    StartImport(dir.value_or(std::string()));
}

void CProjectController::ImportRawDataAt(const QString& dir) {
    if (m_task->Running()) {
        return;
    }
    StartImport(AbsoluteLocalPath(dir));
}

namespace {

// The import's thread asks the window through the task; converted files go to the list.
class TaskImportHost : public RawImportHost {
public:
    TaskImportHost(CBackgroundTask::Work& work, std::function<void(const std::string&)> converted)
        : m_work(work), m_converted(std::move(converted)) {}
    OverwriteAnswer AskOverwrite(const std::string& question) override {
        return m_work.Prompts().AskOverwrite(question);
    }
    void Tell(const std::string& text) override { m_work.Prompts().Tell(text); }
    void Converted(const ImportedFile& file) override { m_converted(file.analysisPath); }
    void Advance(size_t done, size_t total) override { m_work.Advance(done, total); }
    bool Cancelled() const override { return m_work.Cancelled(); }

private:
    CBackgroundTask::Work& m_work;
    std::function<void(const std::string&)> m_converted;
};

}  // namespace

void CProjectController::StartImport(const std::string& dir) {
    m_afterLoad = nullptr;
    std::optional<RawImportJob> job = Run([&] { return m_workspace.BeginImport(dir); });
    if (!job) {
        return;
    }
    m_importing = true;
    auto result = std::make_shared<RawImportResult>();
    m_task->Start(
        "导入",
        [this, job = std::move(*job), result](CBackgroundTask::Work& work) {
            TaskImportHost host(work, [this](const std::string& path) {
                std::lock_guard lock(m_convertedMutex);
                m_converted.push_back(path);
                if (!m_convertedPosted) {
                    m_convertedPosted = true;
                    QMetaObject::invokeMethod(
                        this, [this] { ListConvertedFiles(); }, Qt::QueuedConnection);
                }
            });
            *result = ConvertRawFiles(job, host);
        },
        [this, result] {
            m_importing = false;
            {
                std::lock_guard lock(m_convertedMutex);
                m_converted.clear();
            }
            const bool stopped = result->cancelled;
            const size_t converted = static_cast<size_t>(std::count_if(
                result->files.begin(), result->files.end(), [](const ImportedFile& f) {
                    return f.outcome != ImportedFile::Outcome::Unreadable &&
                           f.outcome != ImportedFile::Outcome::Kept &&
                           f.outcome != ImportedFile::Outcome::WriteFailed;
                }));
            const size_t loads = m_workspace.m_records.LoadsStarted();
            Run([&] { m_workspace.FinishImport(std::move(*result)); });
            LoadStarted(loads);
            if (!m_loadShown) {  // nothing to load: what waited runs now
                RunAfterLoad();
            }
            if (stopped) {
                m_window->statusBar()->showMessage(
                    QString("导入已取消：已转换的%1个文件完整保留，其余文件未动。").arg(converted));
            }
        });
}

void CProjectController::ListConvertedFiles() {
    std::vector<std::string> paths;
    {
        std::lock_guard lock(m_convertedMutex);
        paths.swap(m_converted);
        m_convertedPosted = false;
    }
    if (!m_importing) {
        return;  // the import has ended: its own end lists them
    }
    for (const std::string& path : paths) {
        m_workspace.ListImportedFile(path);
    }
}

bool CProjectController::SelectFile(const QString& path) {
    const std::string wanted = AbsoluteLocalPath(path);
    const std::vector<std::string>& paths = m_workspace.m_filePaths;
    for (size_t row = 0; row < paths.size(); ++row) {
        if (AbsoluteLocalPath(QFile::decodeName(paths[row].c_str())) == wanted) {
            m_window->FileList()->ShowSelection(static_cast<int>(row));
            OnRowSelected(static_cast<int>(row));
            return true;
        }
    }
    return false;
}

bool CProjectController::Save() {
    return Run([&] { return m_workspace.Save(); });
}

bool CProjectController::SaveAs() {
    return Run([&] { return m_workspace.SaveAs(); });
}

void CProjectController::UnifySiteAndUnit() {
    // Every record is written: the ones still loading are waited for, without a freeze.
    RunWhenLoaded([this] {
        Run([&] { m_workspace.UnifySiteAndUnit(); });
        m_window->StartEditsAfresh();  // every file was written: no step before it goes back
    });
}

void CProjectController::UnifyConclusion() {
    RunWhenLoaded([this] {
        Run([&] { m_workspace.UnifyConclusion(); });
        m_window->StartEditsAfresh();
    });
}

void CProjectController::AddDataFile() {
    Run([&] { m_workspace.AddDataFile(); });
}

void CProjectController::RemoveDataRow() {
    const int row = m_window->FileList()->FirstSelectedRow();
    Run([&] { m_workspace.RemoveDataRow(row); });
}

void CProjectController::AddToPrintList() {
    const std::vector<int> rows = m_window->FileList()->SelectedRows();
    Run([&] { m_workspace.AddToPrintList(rows); });
}

void CProjectController::RemoveFromPrintList() {
    const int row = m_window->FileList()->FirstSelectedRow();
    Run([&] { m_workspace.RemoveRowFromPrintList(row); });
}

bool CProjectController::CloseRequested() {
    // Long work ends first: an import keeps what it converted, a report writes nothing.
    m_task->Finish();
    if (!Run([&] { return m_workspace.OnMainWindowClose(); })) {
        return false;
    }
    m_afterLoad = nullptr;
    m_loadShown = false;
    m_progress->hide();
    UpdateBusyCursor();
    return true;
}

// ---- Selection and loading ----

void CProjectController::OnRowSelected(int firstSelectedRow) {
    if (m_task->Running()) {
        // While long work runs nothing opens: an import's rows name files not yet in place,
        // and a report reads the records as they stand.
        m_window->FileList()->ShowSelection(m_importing ? -1 : m_workspace.m_currentIndex);
        return;
    }
    m_window->FileList()->setFocus();
    Run([&] { m_workspace.OnFileRowSelected(firstSelectedRow); });
}

void CProjectController::LoadStarted(size_t loadsBefore) {
    // A small project may be loaded completely already: it still ends as every load does
    // (progress hidden, unreadable files named, the waiting command run).
    const bool opened = m_workspace.m_records.LoadsStarted() != loadsBefore;
    if (opened) {
        m_loadShown = true;
        SetProgressQuietly(m_progress, 0, static_cast<int>(m_workspace.m_records.size()),
                           static_cast<int>(m_workspace.m_records.LoadedCount()));
        m_progress->show();
    }
    RunWaitingWork();
    UpdateBusyCursor();
    if (opened) {
        emit projectOpened(ProjectDir());
    }
}

void CProjectController::OnLoadProgress() {
    if (!m_loadShown) {
        return;
    }
    SetProgressQuietly(m_progress, 0, static_cast<int>(m_workspace.m_records.size()),
                       static_cast<int>(m_workspace.m_records.LoadedCount()));
    // Inside a workspace call a modal dialog runs the event loop: the waiting work runs when
    // that call is over.
    if (m_depth == 0) {
        RunWaitingWork();
        UpdateBusyCursor();
    }
}

void CProjectController::RunWaitingWork() {
    if (m_workspace.PendingSelection() >= 0) {
        const size_t row = static_cast<size_t>(m_workspace.PendingSelection());
        if (m_workspace.m_records.IsLoaded(row) || !m_workspace.m_records.Loading()) {
            Run([&] { m_workspace.RunPendingSelection(); });
            return;  // Run looked at the rest again
        }
    }
    const ProjectRecords& records = m_workspace.m_records;
    if (m_loadShown && (records.LoadedCount() == records.size() || !records.Loading())) {
        FinishLoad();
    }
}

void CProjectController::FinishLoad() {
    m_loadShown = false;
    m_progress->hide();
    DataListChanged();  // rows that could not be read say so in their type column
    emit loadFinished();
    const std::string unreadable = m_workspace.UnreadableFilesMessage();
    if (!unreadable.empty()) {
        Prompts().Tell(unreadable);
    }
    RunAfterLoad();
}

void CProjectController::RunAfterLoad() {
    if (!m_afterLoad) {
        return;
    }
    std::function<void()> command = std::move(m_afterLoad);
    m_afterLoad = nullptr;
    UpdateBusyCursor();
    command();
}

void CProjectController::RunWhenLoaded(std::function<void()> command) {
    if (!Loading()) {
        command();
        return;
    }
    m_afterLoad = std::move(command);
    UpdateBusyCursor();
}

void CProjectController::UpdateBusyCursor() {
    const bool busy = m_workspace.PendingSelection() >= 0 || m_afterLoad != nullptr;
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// ---- WorkspaceViews ----

PageTexts CProjectController::ReadPageTexts() {
    return PageTextsOf(m_window->ReadPageBoxes());
}

void CProjectController::ShowRecordOnPages(const PileRecord& rec) {
    if (m_window->CurrentRecord() == &rec) {
        m_window->ShowRecordOnPages();
    }
}

bool CProjectController::CollectPagesIntoRecord(PileRecord& rec) {
    // The pages show the current record, the only one the workspace collects into.
    if (m_window->CurrentRecord() != &rec) {
        return true;
    }
    return m_window->CollectPagesIntoRecord().ok;
}

void CProjectController::PlaceMarkersForRecord(PileRecord& rec) {
    // The record becomes the one the window and the views show and edit.
    m_shownRecord = &rec;
    m_window->SetCurrentRecord(&rec);
    m_window->RawView()->SetRecord(&rec);
    m_window->StackedView()->PlaceMarkersForRecord(rec);
}

void CProjectController::SetBackupWave(const WaveSlot& stacked) {
    m_window->StackedView()->SetBackupWave(stacked);
    // The pile is selected: its proposal reads the waveform as selected.
    m_window->ShowProposedClass();
}

void CProjectController::RestoreWave(PileRecord& rec) {
    m_window->StackedView()->RestoreWave(rec);
}

float CProjectController::DefectDepth(const PileRecord& rec) {
    return m_window->StackedView()->DefectDepthOf(rec);
}

void CProjectController::ComputeSpectrum(const PileRecord& rec) {
    m_window->SpectrumView()->ComputeSpectrum(rec);
}

void CProjectController::SetRawViewSelectedBlow(int blow) {
    m_window->RawView()->SetSelectedBlow(blow);
}

void CProjectController::SetAllViewRowCount(int rows) {
    m_window->AllView()->SetRowCount(rows);
}

void CProjectController::SetWindowTitle(const std::string& utf8Title) {
    m_window->setWindowTitle(
        QString::fromUtf8(utf8Title.data(), static_cast<int>(utf8Title.size())));
}

void CProjectController::SetFileCommandsEnabled(bool enabled) {
    m_window->SetFileCommandsEnabled(enabled);
}

void CProjectController::ClearOptimizeOn() {
    m_window->ClearOptimize();
}

void CProjectController::ShowOptimizeButtonPlain() {
    m_window->ClearOptimize();
}

void CProjectController::RepaintViews() {
    for (QAbstractScrollArea* view :
         {static_cast<QAbstractScrollArea*>(m_window->RawView()),
          static_cast<QAbstractScrollArea*>(m_window->StackedView()),
          static_cast<QAbstractScrollArea*>(m_window->SpectrumView()),
          static_cast<QAbstractScrollArea*>(m_window->AllView()),
          static_cast<QAbstractScrollArea*>(m_window->ImpedanceView())}) {
        view->viewport()->update();
    }
    m_window->update();
}

QString CProjectController::TypeText(size_t row) const {
    return m_workspace.RowUnreadable(row) ? QString("无法读取")
                                          : QString::fromStdString(m_workspace.Rows()[row].type);
}

void CProjectController::DataListChanged() {
    CMylistCtrl* list = m_window->FileList();
    const int rows = static_cast<int>(m_workspace.Rows().size());
    const int selected = list->FirstSelectedRow();
    // The list asks for the texts of the rows it draws (see the row source).
    list->RowsChanged(rows);
    list->m_savedRows = m_workspace.m_savedRows;
    // Rows that went at the end may have taken the selection with them.
    if (list->FirstSelectedRow() != selected) {
        list->ShowSelection(selected < rows ? selected : -1);
    }
    list->viewport()->update();
}

void CProjectController::ShowListSelection(int row) {
    m_window->FileList()->ShowSelection(row);
}

void CProjectController::ShowNoRecord() {
    m_shownRecord = nullptr;
    m_window->SetCurrentRecord(nullptr);
    m_window->RawView()->SetRecord(nullptr);
    m_window->StackedView()->SetRecord(nullptr);
    m_window->SpectrumView()->Clear();
    m_window->AllView()->viewport()->update();
    m_window->setWindowTitle(kAppTitle);
}

}  // namespace kx::ui
