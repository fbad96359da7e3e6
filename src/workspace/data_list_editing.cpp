// The workspace's list editing, batch updates and saving.
#include <algorithm>

#include "record/reason_text.h"
#include "workspace/project_files.h"
#include "workspace/workspace.h"

namespace kx {

namespace {

std::string WriteFailedText(const std::string& path, const std::string& reason) {
    return "文件保存失败：" + path + "\n" + ReasonInChinese(reason);
}

}  // namespace

void Workspace::AddDataFile() {
    const std::optional<std::string> path = prompts_.AskOpenFile("分析文件(*.kxc)|*.kxc||");
    if (!path || path->empty()) {
        return;
    }
    const auto found = std::find(m_filePaths.begin(), m_filePaths.end(), *path);
    if (found != m_filePaths.end()) {
        prompts_.Tell("文件已经存在！");
        const int row = static_cast<int>(found - m_filePaths.begin());
        views_.ShowListSelection(row);
        OnFileRowSelected(row);
        return;
    }
    m_filePaths.push_back(*path);
    m_rows.push_back({FileNameOf(*path), false, FileTypeText(*path)});
    // Taken as read: a file added by hand gets none of the loader's post-read steps.
    PileRecord rec;
    const ReadOutcome out = rec.ReadTestFile(this, *path);
    for (const std::string& m : out.messages) {
        prompts_.Tell(m);
    }
    m_records.AppendLoaded(*path, std::move(rec), out.status);
    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    RebuildPrintList();
    views_.DataListChanged();
}

void Workspace::RemoveDataRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_filePaths.size()) {
        return;
    }
    // The selection that follows asks nothing: the removed record's changes go with it.
    m_rowRemoved = true;
    if (m_pendingSelection == row) {
        m_pendingSelection = -1;
    } else if (m_pendingSelection > row) {
        --m_pendingSelection;
    }
    // Nothing may show the removed record once it is gone.
    const bool removingCurrent = m_currentIndex == row;
    if (removingCurrent) {
        ClearSelection();
    }
    m_filePaths.erase(m_filePaths.begin() + row);
    m_records.Erase(static_cast<size_t>(row));
    m_rows.erase(m_rows.begin() + row);

    // Red rows and the current index follow their files.
    std::erase(m_savedRows, row);
    for (int32_t& r : m_savedRows) {
        if (r > row) {
            --r;
        }
    }
    if (!removingCurrent && m_currentIndex > row) {
        --m_currentIndex;
    }

    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    if (m_filePaths.empty()) {
        ClearSelection();
    } else {
        // The row that moved into place becomes current; after the last row, the new last.
        const int next = std::min(row, static_cast<int>(m_filePaths.size()) - 1);
        views_.ShowListSelection(next);
        OnFileRowSelected(next);
    }
    RebuildPrintList();
    views_.DataListChanged();
}

template <class Change>
void Workspace::UpdateEveryRecord(Change change) {
    std::string unreadable;
    std::string replaced;
    for (size_t i = 0; i < m_filePaths.size(); ++i) {
        PileRecord* rec = m_records.WaitFor(i);
        const Status read = m_records.ReadStatus(i);
        if (rec == nullptr || !read) {
            // Writing the defaults that stand in for an unreadable file would replace it with
            // a file no reader takes back.
            unreadable += "\n" + FileNameOf(m_filePaths[i]) + ": " +
                          (rec == nullptr ? std::string("未载入") : ReasonInChinese(read.reason));
            continue;
        }
        const std::string target = AnalysisPathFor(m_filePaths[i]);
        // Someone else's newer file is not written over with the copy read earlier.
        if (ChangeOnDisk(target) == DiskChange::Replaced) {
            replaced += "\n" + FileNameOf(target);
            continue;
        }
        change(*rec);
        if (Status st = rec->WriteAnalysisFile(target); !st) {
            prompts_.Tell(WriteFailedText(target, st.reason));
            return;
        }
        Written(target);
        // "否" at the save prompt goes back to the snapshot: it keeps the batch update too.
        if (HasCurrentRecord() && i == static_cast<size_t>(m_currentIndex)) {
            change(m_savedRecord);
        }
    }
    if (!unreadable.empty()) {
        prompts_.Tell("以下文件未能读取，没有修改：" + unreadable);
    }
    if (!replaced.empty()) {
        prompts_.Tell("以下文件在读取后已被替换，没有修改：" + replaced);
    }
    prompts_.Tell("修改成功！");
}

void Workspace::UnifySiteAndUnit() {
    const PageTexts pages = views_.ReadPageTexts();
    UpdateEveryRecord([&](PileRecord& rec) {
        rec.testingUnit = pages.testingUnit;
        rec.site = pages.site;
    });
}

void Workspace::UnifyConclusion() {
    const PageTexts pages = views_.ReadPageTexts();
    UpdateEveryRecord([&](PileRecord& rec) {
        rec.concreteStrength = pages.concreteStrength;
        rec.pileDiameter = pages.pileDiameter;
    });
}

bool Workspace::Save() {
    PileRecord* rec = CurrentRecord();
    if (rec == nullptr) {
        prompts_.Tell("请先添加文件！");
        return false;
    }
    if (!views_.CollectPagesIntoRecord(*rec)) {
        return false;
    }
    // The pages are in the record now, so the change test alone would find nothing to save
    // when the write does not happen; remember that the record still differs from its file.
    const DiskChange change = ChangeOnDisk(m_savePath);
    if (change == DiskChange::Replaced &&
        !prompts_.AskYesNo("文件" + FileNameOf(m_savePath) + "在读取后已被替换，是否仍然覆盖？",
                           kQuestionCaption)) {
        saveFailed_ = true;
        return false;
    }
    if (Status st = rec->WriteAnalysisFile(m_savePath); !st) {
        saveFailed_ = true;
        prompts_.Tell(WriteFailedText(m_savePath, st.reason));
        return false;
    }
    Written(m_savePath);
    if (change == DiskChange::Gone) {
        prompts_.Tell("文件" + FileNameOf(m_savePath) + "在读取后已被删除，现已重新保存。");
    }
    // What is on disk now is what later changes are told from: leaving the pile after more
    // changes asks again, and "否" then goes back to the saved record. The blows a deleted
    // blow is brought back from stay those of the selection.
    m_savedRecord = *rec;
    savedPages_ = views_.ReadPageTexts();
    m_waveModified = false;
    m_optimizeTouched = false;
    saveFailed_ = false;
    lastSaved_ = m_savePath;
    prompts_.Tell("保存成功！");
    return true;
}

bool Workspace::SaveAs() {
    PileRecord* rec = CurrentRecord();
    if (rec == nullptr) {
        prompts_.Tell("请先添加文件！");
        return false;
    }
    if (!views_.CollectPagesIntoRecord(*rec)) {
        return false;
    }
    std::optional<std::string> path =
        prompts_.AskSaveFile(DirectoryPartOf(m_currentPath), "数据文件(*.kxc)|*.kxc|");
    if (!path || path->empty()) {
        return false;
    }
    // A name typed without the suffix would make a file that neither program opens.
    if (!HasSuffix(*path, ".kxc")) {
        *path += ".kxc";
    }
    if (Status st = rec->WriteAnalysisFile(*path); !st) {
        prompts_.Tell(WriteFailedText(*path, st.reason));
        return false;
    }
    Written(*path);
    lastSaved_ = *path;
    ListSavedCopy(*path, *rec);
    return true;
}

void Workspace::ListSavedCopy(const std::string& path, const PileRecord& rec) {
    if (m_projectDir.empty() || !SameDirectory(DirectoryPartOf(path), m_projectDir)) {
        return;
    }
    const std::string listed = JoinPath(m_projectDir, FileNameOf(path));
    const auto found = std::find(m_filePaths.begin(), m_filePaths.end(), listed);
    if (found != m_filePaths.end()) {
        // Another pile's file written over: its row shows what the file now holds.
        const size_t row = static_cast<size_t>(found - m_filePaths.begin());
        if (static_cast<int32_t>(row) != m_currentIndex) {
            if (PileRecord* other = m_records.TryGet(row)) {
                *other = rec;
            }
        }
        views_.RepaintViews();
        return;
    }
    m_filePaths.push_back(listed);
    m_rows.push_back({FileNameOf(listed), false, FileTypeText(listed)});
    m_records.AppendLoaded(listed, rec, Status::Ok());
    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    RebuildPrintList();
    views_.DataListChanged();
}

void Workspace::RebuildPrintList() {
    m_printList.Clear();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].printed) {
            m_printList.Append(m_filePaths[i], static_cast<int32_t>(i));
        }
    }
}

void Workspace::AddToPrintList(const std::vector<int>& selectedRows) {
    if (m_currentPath.empty()) {
        prompts_.Tell("请先添加文件！");
        return;
    }
    if (m_printList.ContainsPath(m_currentPath)) {
        prompts_.Tell("文件已在打印列表中！");
        return;
    }
    std::vector<int> rows;
    for (int r : selectedRows) {
        if (r >= 0 && static_cast<size_t>(r) < m_filePaths.size()) {
            rows.push_back(r);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Each entry carries its own row's file, so every selected pile is printed.
    for (int r : rows) {
        const std::string& path = m_filePaths[static_cast<size_t>(r)];
        if (m_printList.ContainsPath(path)) {
            continue;
        }
        m_rows[static_cast<size_t>(r)].printed = true;
        m_printList.Append(path, r);
    }
    views_.DataListChanged();
}

void Workspace::RemovePrintListEntry(size_t k) {
    if (k >= m_printList.size()) {
        return;
    }
    m_printList.EraseAt(k);
    SyncPrintMarks();
}

void Workspace::ClearPrintList() {
    m_printList.Clear();
    SyncPrintMarks();
}

void Workspace::SyncPrintMarks() {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].printed = m_printList.ContainsPath(m_filePaths[i]);
    }
    views_.DataListChanged();
}

void Workspace::RemoveRowFromPrintList(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size() ||
        !m_rows[static_cast<size_t>(row)].printed) {
        return;
    }
    m_printList.ErasePath(m_filePaths[static_cast<size_t>(row)]);
    m_rows[static_cast<size_t>(row)].printed = false;
    views_.DataListChanged();
}

}  // namespace kx
