#include "workspace/workspace.h"
#include "record/reason_text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "waveform/pile_markers.h"
#include "workspace/file_stamp.h"
#include "workspace/project_files.h"

namespace kx {

namespace {

std::string Format2(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

}  // namespace

Workspace::Workspace(UserPrompts& prompts, WorkspaceViews& views)
    : prompts_(prompts), views_(views) {}

Workspace::~Workspace() {
    m_records.StopLoading();
}

bool Workspace::HasCurrentRecord() const {
    return !m_currentPath.empty() && m_currentIndex >= 0 &&
           static_cast<size_t>(m_currentIndex) < m_filePaths.size();
}

PileRecord* Workspace::CurrentRecord() {
    return HasCurrentRecord() ? m_records.WaitFor(static_cast<size_t>(m_currentIndex)) : nullptr;
}

PileRecord* Workspace::RequireCurrentRecord() {
    PileRecord* rec = CurrentRecord();
    if (rec == nullptr) {
        prompts_.Tell("请先选择文件！");
    }
    return rec;
}

std::string Workspace::FormatDefectDepth(const PileRecord& rec) {
    return Format2(views_.DefectDepth(rec));
}

void Workspace::ClearSelection() {
    m_currentPath.clear();
    m_currentIndex = -1;
    m_currentExt.clear();
    m_savePath.clear();
    saveFailed_ = false;
    savedPages_.reset();
    views_.ShowNoRecord();
    views_.ShowListSelection(-1);
}

void Workspace::ResetProject() {
    // The loader must be gone before the lists it works on are emptied.
    m_records.StopLoading();
    m_pendingSelection = -1;
    // Nothing of the old project stays selected, so no command can reach an index the new
    // project does not have (and nothing shows a record about to go).
    ClearSelection();
    m_savedRows.clear();
    m_filePaths.clear();
    m_records.Clear();
    m_printList.Clear();
    m_rows.clear();
    m_projectDir.clear();
}

void Workspace::StartLoader() {
    m_records.StartLoading(m_filePaths, m_loadProgress);
}

void Workspace::OpenProject() {
    const std::optional<std::string> dir = prompts_.BrowseForFolder("请选择目录：");
    OpenProjectAt(dir.value_or(std::string()));
}

void Workspace::OpenProjectAt(const std::string& dir) {
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_directory(dir, ec)) {
        m_currentPath.clear();
        prompts_.Tell("无效的目录或为空目录，请重新选择！");
        return;
    }
    // Changes of the current record would otherwise vanish with the old project; a save
    // that fails keeps the old project open.
    if (!OfferToSaveChanges(Leaving::NewProject, views_.ReadPageTexts())) {
        return;
    }

    std::vector<std::string> paths;
    if (!ListFilesWithSuffix(dir, "kxc", paths)) {
        m_currentPath.clear();
        prompts_.Tell("无效的目录或为空目录，请重新选择！");
        return;
    }
    ResetProject();
    m_projectDir = dir;
    SortByNumericName(paths);
    m_filePaths = std::move(paths);
    m_rows.reserve(m_filePaths.size());
    for (const std::string& p : m_filePaths) {
        m_rows.push_back({FileNameOf(p), false, FileTypeText(p)});
    }
    views_.DataListChanged();
    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    g_selectionCount = 0;
    // Last, so that the listing has both cores to itself.
    StartLoader();
}

bool Workspace::RecordDiffersFromPages(const PileRecord& rec, const PageTexts& pages,
                                       const ChangeReference& reference, bool withOptimizeTouched) {
    // A marker command counts when it changed the record, not when a marker pixel moved:
    // markers are placed from the record again at every selection.
    if (MarkerFieldsDiffer(rec, m_savedRecord)) {
        return true;
    }
    if (m_waveModified || (withOptimizeTouched && m_optimizeTouched) || saveFailed_) {
        return true;
    }
    return pages.tester != rec.tester || pages.testingUnit != rec.testingUnit ||
           pages.site != rec.site || pages.pileNumber != rec.pileNumber ||
           pages.testDate != rec.testDate || pages.testTime != rec.testTime ||
           pages.integrityClass != rec.integrityClass ||
           pages.concreteStrength != rec.concreteStrength ||
           pages.pileDiameter != rec.pileDiameter || pages.remarks != rec.remarks ||
           pages.defectPosition != reference.defectPosition ||
           reference.pageLength != reference.pileLength ||
           reference.pageSpeed != reference.waveSpeed;
}

bool Workspace::OfferToSaveChanges(Leaving how, const PageTexts& pages) {
    // A removed row's record went with it. (A record saved since its selection is not
    // exempt: the save took a new snapshot, so what was changed after it still asks.)
    if (m_rowRemoved) {
        return true;
    }
    // The first selection after opening has nothing of this project to leave.
    if (how == Leaving::Selection && g_selectionCount == 1) {
        return true;
    }
    PileRecord* old = CurrentRecord();
    if (old == nullptr) {
        return true;
    }
    const bool optimizeCounts = how != Leaving::Close && m_optimizeTouched;
    if (savedPages_) {
        // Saved since its selection: the record is held against what was saved and the pages
        // against what they showed then (the boxes were collected, not shown again).
        if (!MarkerFieldsDiffer(*old, m_savedRecord) && !m_waveModified && !optimizeCounts &&
            !saveFailed_ && pages == *savedPages_) {
            return true;
        }
        return AskToSaveOrRestore(how, *old);
    }
    // Closing compares as leaving for another row does, also after a single selection:
    // holding the defect box against "0.00" there asked to save every untouched pile with a
    // defect, and skipping the length and speed boxes let their edits go unasked.
    ChangeReference ref;
    ref.defectPosition = FormatDefectDepth(*old);
    ref.pageLength = pages.pileLength;
    ref.pageSpeed = pages.waveSpeed;
    ref.pileLength = Format2(old->pileLength);
    ref.waveSpeed = Format2(old->waveSpeed);
    if (!RecordDiffersFromPages(*old, pages, ref, how != Leaving::Close)) {
        return true;
    }
    return AskToSaveOrRestore(how, *old);
}

bool Workspace::AskToSaveOrRestore(Leaving how, PileRecord& old) {
    const SaveAnswer answer = prompts_.AskSaveChanges("是否保存修改过的数据？", kQuestionCaption);
    if (answer == SaveAnswer::Cancel) {
        return false;  // the pile stays as it is, edits and all
    }
    if (answer == SaveAnswer::Save) {
        if (m_currentExt == "kxd") {
            prompts_.Tell("已转化为kxc文件！");
        }
        // Leaving after a failed save would lose the edits: they stay in the window.
        if (!Save()) {
            return false;
        }
        if (how == Leaving::Selection && std::find(m_savedRows.begin(), m_savedRows.end(),
                                                   m_currentIndex) == m_savedRows.end()) {
            m_savedRows.push_back(m_currentIndex);
            views_.DataListChanged();
        }
    } else {
        views_.RestoreWave(old);
        old.waves = m_savedWaves;
        old = m_savedRecord;
    }
    return true;
}

bool Workspace::RowUnreadable(size_t i) const {
    return m_records.IsLoaded(i) && !m_records.ReadStatus(i).ok;
}

std::string Workspace::UnreadableFilesMessage() const {
    std::string list;
    for (size_t i = 0; i < m_filePaths.size(); ++i) {
        if (RowUnreadable(i)) {
            list += "\n" + FileNameOf(m_filePaths[i]) + "：" +
                    ReasonInChinese(m_records.ReadStatus(i).reason);
        }
    }
    return list.empty() ? list : "以下文件无法读取，未作任何修改：" + list;
}

Workspace::DiskChange Workspace::ChangeOnDisk(const std::string& path) const {
    const auto it = std::find(m_filePaths.begin(), m_filePaths.end(), path);
    if (it == m_filePaths.end()) {
        return DiskChange::None;
    }
    const size_t i = static_cast<size_t>(it - m_filePaths.begin());
    if (!m_records.IsLoaded(i)) {
        return DiskChange::None;
    }
    const FileStamp read = m_records.Stamp(i);
    const FileStamp now = StampOfFile(path);
    if (!read.exists || now == read) {
        return DiskChange::None;
    }
    return now.exists ? DiskChange::Replaced : DiskChange::Gone;
}

void Workspace::ReportFileChangedOnDisk(size_t row) {
    const std::string& path = m_filePaths[row];
    const std::string name = FileNameOf(path);
    switch (ChangeOnDisk(path)) {
        case DiskChange::Replaced:
            prompts_.Tell("文件" + name + "在读取后已被替换，显示的是先前读取的数据。");
            return;
        case DiskChange::Gone:
            prompts_.Tell("文件" + name + "已被删除，显示的是先前读取的数据。");
            return;
        case DiskChange::None:
            return;
    }
}

void Workspace::RunPendingSelection() {
    const int row = m_pendingSelection;
    if (row < 0 || (!m_records.IsLoaded(static_cast<size_t>(row)) && m_records.Loading())) {
        return;
    }
    m_pendingSelection = -1;
    OnFileRowSelected(row);
}

void Workspace::OnFileRowSelected(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_filePaths.size()) {
        return;
    }
    const size_t index = static_cast<size_t>(row);
    if (!selectionWaits_ && !m_records.IsLoaded(index) && m_records.Loading()) {
        m_pendingSelection = row;
        return;
    }
    m_pendingSelection = -1;
    // An empty record in place of a damaged file would invite saving blanks over it.
    if (RowUnreadable(index)) {
        prompts_.Tell("文件" + FileNameOf(m_filePaths[index]) + "无法读取：" +
                      ReasonInChinese(m_records.ReadStatus(index).reason));
        views_.ShowListSelection(HasCurrentRecord() ? m_currentIndex : -1);
        return;
    }
    const PageTexts pages = views_.ReadPageTexts();
    ++g_selectionCount;
    views_.ClearOptimizeOn();
    if (!OfferToSaveChanges(Leaving::Selection, pages)) {
        views_.ShowListSelection(m_currentIndex);
        return;
    }

    // The row's record may still be on its way from the loader.
    PileRecord* rec = m_records.WaitFor(static_cast<size_t>(row));
    if (rec == nullptr) {
        ClearSelection();
        return;
    }
    m_currentIndex = row;
    m_currentPath = m_filePaths[index];

    const std::string name = FileNameOf(m_currentPath);
    const std::string title = std::string(kAppTitle) + "      " + name;
    views_.SetWindowTitle(title);
    m_currentExt = title.substr(title.size() - 3);
    m_savePath = AnalysisPathFor(m_currentPath);
    views_.SetFileCommandsEnabled(true);

    views_.PlaceMarkersForRecord(*rec);
    views_.ShowRecordOnPages(*rec);
    views_.ComputeSpectrum(*rec);
    views_.SetBackupWave(rec->waves[kStackedSlot]);

    m_waveModified = false;
    m_rowRemoved = false;
    m_optimizeTouched = false;
    saveFailed_ = false;
    savedPages_.reset();
    views_.ShowOptimizeButtonPlain();

    m_savedWaves = rec->waves;
    views_.SetRawViewSelectedBlow(-1);
    m_savedRecord = *rec;
    views_.RepaintViews();
    ReportFileChangedOnDisk(index);
}

bool Workspace::OnMainWindowClose() {
    if (!m_currentPath.empty()) {
        if (!OfferToSaveChanges(Leaving::Close, views_.ReadPageTexts())) {
            return false;
        }
        m_savedRows.clear();
        views_.DataListChanged();
    }
    m_pendingSelection = -1;
    m_records.StopLoading();
    return true;
}

std::string AnalysisPathFor(const std::string& path) {
    const std::string name = FileNameOf(path);
    const auto dot = name.find_last_of('.');
    // A name without a suffix keeps its whole name rather than becoming a bare ".kxc".
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    return DirectoryPartOf(path) + stem + ".kxc";
}

}  // namespace kx
