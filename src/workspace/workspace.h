// The open project as the main window holds it: the data list, the files and records, the
// current selection with its snapshots and change flags, the print list, and the file
// commands that act on them. Window-free: questions go to UserPrompts, pages and views to
// WorkspaceViews. Every member function runs on the user-interface thread; only the loader
// of m_records runs beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "record/pile_record.h"
#include "workspace/print_list.h"
#include "workspace/project_records.h"
#include "workspace/raw_import.h"
#include "workspace/user_prompts.h"
#include "workspace/workspace_views.h"

namespace kx {

// One row of the data list: "名称", "是否打印", "类型".
struct DataRow {
    std::string name;      // file name, the text after the last '/'
    bool printed = false;  // in the print list
    std::string type;      // "分析文件", "原始文件" or the suffix

    const char* PrintedText() const { return printed ? "是" : "否"; }
};

struct ImportReport {
    bool cancelled = false;  // no directory chosen (or the import could not start)
    bool stopped = false;    // the user stopped the conversion before the last file
    std::vector<ImportedFile> files;
};

// The analysis file a record is saved to: the file's directory and base name with ".kxc"
// (the file itself for an analysis file, the one beside it for a raw file).
std::string AnalysisPathFor(const std::string& path);

class Workspace : public RecordOwner {
public:
    Workspace(UserPrompts& prompts, WorkspaceViews& views);
    ~Workspace() override;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // --- Project directory and file list ---
    // "打开工程": choose a directory, list its analysis files, load them in the background.
    void OpenProject();
    // The same for a directory known already (the program's command line).
    void OpenProjectAt(const std::string& dir);
    // The data list reports row `row` (the first selected row) newly selected and focused.
    // A row that could not be read is not selected: the user is told why instead.
    void OnFileRowSelected(int row);
    // Whether a selection waits for a record the loader has not published yet (the default)
    // or is kept pending until RunPendingSelection finds the record loaded, so that the
    // window's event loop keeps running meanwhile.
    void SetSelectionWaitsForLoader(bool waits) { selectionWaits_ = waits; }
    // The row whose selection waits for its record; -1 when none.
    int PendingSelection() const { return m_pendingSelection; }
    // Runs the pending selection once its record is loaded (or will never be).
    void RunPendingSelection();
    // The change test of the save prompt; `pages` as read from the window, `reference` the
    // texts computed from the record being left (see ChangeReference).
    struct ChangeReference {
        std::string defectPosition;  // compared with pages.defectPosition
        std::string pileLength;      // formatted record value, compared with pageLength
        std::string waveSpeed;
        std::string pageLength;  // the page's 1017 text, or empty when not compared
        std::string pageSpeed;
    };
    bool RecordDiffersFromPages(const PileRecord& rec, const PageTexts& pages,
                                const ChangeReference& reference, bool withOptimizeTouched);
    // The main window is about to close. False when the user cancelled at the save prompt, or
    // chose to save and the save failed: the window then stays open with the edits.
    bool OnMainWindowClose();

    // --- Raw data import ---
    ImportReport ImportRawData();
    // The same for a directory known already (a raw file given on the program's command line).
    ImportReport ImportRawDataAt(const std::string& dir);
    // The same in three steps, so that the conversion can run beside the window's event loop:
    // BeginImport (the save prompt, the listing; the directory's analysis files become the
    // project's rows), ConvertRawFiles of the job on any thread, then FinishImport with its
    // result (the converted files' rows, the loader, the failures told). Nothing when the
    // import does not start (the user was told why).
    std::optional<RawImportJob> BeginImport(const std::string& dir);
    ImportReport FinishImport(RawImportResult result);
    // During an import: a converted file's row, before FinishImport lists it.
    void ListImportedFile(const std::string& analysisPath);

    // --- Data list editing and batch updates ---
    void AddDataFile();
    // Removes row `row` (the first selected row; -1 when none is selected).
    void RemoveDataRow(int row);
    void UnifySiteAndUnit();
    void UnifyConclusion();
    // Both return whether the record was written. A file replaced on disk since it was read
    // is written over only when the user agrees.
    bool Save();
    bool SaveAs();
    // Where the last successful 保存 or 另存为 wrote.
    const std::string& LastSavedPath() const { return lastSaved_; }

    // --- Print list ---
    void AddToPrintList(const std::vector<int>& selectedRows);
    void RemoveRowFromPrintList(int row);
    // The print dialog's 移出打印列表: erases entry k; every row's mark follows the list.
    void RemovePrintListEntry(size_t k);
    // Reading a print-info file empties the list; the rows' marks follow.
    void ClearPrintList();

    // --- Queries ---
    // The current record, or null when no file is selected.
    PileRecord* CurrentRecord();
    // The same for a command that needs a record: says "请先选择文件！" when there is none.
    PileRecord* RequireCurrentRecord();
    bool HasCurrentRecord() const;
    const std::vector<DataRow>& Rows() const { return m_rows; }
    // The directory of the open project as it was given; empty while none is open.
    const std::string& ProjectDir() const { return m_projectDir; }
    // Row i's file was loaded but could not be read.
    bool RowUnreadable(size_t i) const;
    // The one message naming every loaded file that could not be read, with its reason;
    // empty when all were read.
    std::string UnreadableFilesMessage() const;
    // Waits for the loader (kxtool, tests and anything that needs every record).
    void WaitUntilLoaded() { m_records.WaitUntilLoaded(); }
    // Called on the loader thread; see ProjectRecords::ProgressFn.
    void SetLoadProgressCallback(ProjectRecords::ProgressFn fn) { m_loadProgress = std::move(fn); }

    // RecordOwner: a reader met a wrong magic.
    void ClearCurrentPath() override { m_currentPath.clear(); }

    // --- The workspace members of the main window ---
    std::vector<std::string> m_filePaths;
    ProjectRecords m_records;
    std::string m_currentPath;  // empty = no file selected
    int32_t m_currentIndex = -1;
    std::string m_currentExt;
    std::string m_savePath;
    PileRecord m_savedRecord;
    WaveSlots m_savedWaves{};
    // The change flags, the one record of them the window's tools and the save prompt share.
    bool m_waveModified = false;
    bool m_rowRemoved = false;
    bool m_optimizeTouched = false;
    int32_t g_selectionCount = 0;
    // Rows drawn in red: saved at the prompt during this run.
    std::vector<int32_t> m_savedRows;
    PrintList m_printList;

private:
    enum class Leaving { Selection, Close, NewProject };
    // The change test and save prompt before the current record is left. False when the
    // user chose to save and the save failed: the record is then not left.
    bool OfferToSaveChanges(Leaving how, const PageTexts& pages);
    // The save prompt itself: "是" saves (false when that failed), "否" restores `old` from
    // the snapshots, "取消" leaves everything as it is (false).
    bool AskToSaveOrRestore(Leaving how, PileRecord& old);
    // Tells the user when the current file was deleted or replaced on disk after reading.
    void ReportFileChangedOnDisk(size_t row);
    // What became on disk of a project file since it was read: another program replaced it,
    // or it is gone (then it is simply written again).
    enum class DiskChange { None, Replaced, Gone };
    DiskChange ChangeOnDisk(const std::string& path) const;
    // The program has written `path`.
    void Written(const std::string& path) { m_records.RefreshStampsOf(path); }
    // A copy saved as `path` into the project's directory joins the list (or, over another
    // listed file, becomes that row's record).
    void ListSavedCopy(const std::string& path, const PileRecord& rec);
    // Stops the loader and empties the project, the selection included.
    void ResetProject();
    void StartLoader();
    void ClearSelection();
    void RebuildPrintList();
    // Each row's "是否打印" mark := whether its file is in the print list.
    void SyncPrintMarks();
    // Writes every record with `change` applied; stops at the first failed write.
    template <class Change>
    void UpdateEveryRecord(Change change);
    std::string FormatDefectDepth(const PileRecord& rec);

    // The last save of the current record failed: its collected edits are on no disk yet.
    bool saveFailed_ = false;
    std::string lastSaved_;
    // The pages as they were when the current record was last saved; none while it has not
    // been saved since its selection.
    std::optional<PageTexts> savedPages_;
    bool selectionWaits_ = true;
    int m_pendingSelection = -1;
    UserPrompts& prompts_;
    WorkspaceViews& views_;
    std::vector<DataRow> m_rows;
    std::string m_projectDir;
    ProjectRecords::ProgressFn m_loadProgress;
    size_t importListed_ = 0;  // rows of the analysis files the import's directory held
};

}  // namespace kx
