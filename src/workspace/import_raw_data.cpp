// "导入原始数据": every raw file of a site directory becomes an analysis file beside it, and
// the directory's analysis files become the project.
#include <filesystem>
#include <set>

#include "record/file_io.h"
#include "record/reason_text.h"
#include "workspace/project_files.h"
#include "workspace/workspace.h"

namespace kx {

ImportReport Workspace::ImportRawData() {
    const std::optional<std::string> dir = prompts_.BrowseForFolder("请选择目录：");
    return ImportRawDataAt(dir.value_or(std::string()));
}

ImportReport Workspace::ImportRawDataAt(const std::string& siteDir) {
    namespace fs = std::filesystem;
    ImportReport report;
    g_overwriteChoice = 0;

    // Empty: no directory chosen.
    const std::optional<std::string> dir =
        siteDir.empty() ? std::nullopt : std::optional<std::string>(siteDir);
    std::error_code ec;
    std::vector<std::string> names;
    if (dir && !dir->empty() && fs::is_directory(*dir, ec) &&
        !OfferToSaveChanges(Leaving::NewProject, views_.ReadPageTexts())) {
        // The save failed: the old project stays open with its edits.
        report.cancelled = true;
        return report;
    }
    // The directory is listed once, up front, so files written below are never met again.
    if (!dir || dir->empty() || !fs::is_directory(*dir, ec) || !ListRegularFiles(*dir, names)) {
        prompts_.Tell("无效的目录，请重新选择工地目录！");
        report.cancelled = true;
        return report;
    }
    ResetProject();
    m_projectDir = *dir;

    std::set<std::string> listed;
    auto addRow = [&](const std::string& path) {
        if (listed.insert(path).second) {
            m_filePaths.push_back(path);
            m_rows.push_back({FileNameOf(path), false, "分析文件"});
        }
    };
    std::string failures;
    BatchFileWriter batch;
    std::vector<size_t> staged;  // indices into report.files
    WaveSlot lastWritten{};
    int lastSamples = 0;
    for (const std::string& name : names) {
        const std::string ext = FileSuffix(name);
        if (ext != "kxc" && ext != "kxd") {
            continue;
        }
        const std::string targetName = name.substr(0, name.size() - ext.size()) + "kxc";
        const std::string target = JoinPath(*dir, targetName);
        if (ext == "kxc") {
            addRow(target);
            continue;
        }
        ImportedFile file{JoinPath(*dir, name), target, ImportedFile::Outcome::Converted, {}};
        PileRecord rec;
        const ReadOutcome read = rec.ReadTestFile(this, file.rawPath);
        for (const std::string& m : read.messages) {
            prompts_.Tell(m);
        }
        if (!read) {
            // Nothing is written for a file that did not read: its defaults are no pile test.
            file.outcome = ImportedFile::Outcome::Unreadable;
            file.reason = read.status.reason;
            failures.append("\n").append(name).append(": ").append(ReasonInChinese(file.reason));
            report.files.push_back(std::move(file));
            continue;
        }
        if (rec.integrityClass.empty()) {
            rec.integrityClass.push_back('I');  // empty: an unclassified pile starts as class I
        }
        const bool exists = fs::exists(target, ec);
        bool write = !exists;
        if (exists) {
            if (g_overwriteChoice == 0) {
                std::string question = "文件";
                question.append(targetName).append("已经存在是否覆盖");
                switch (prompts_.AskOverwrite(question)) {
                    case OverwriteAnswer::Yes:
                        write = true;
                        break;
                    case OverwriteAnswer::YesToAll:
                        g_overwriteChoice = 1;
                        break;
                    case OverwriteAnswer::NoToAll:
                        g_overwriteChoice = 2;
                        break;
                    // A dialog closed without an answer replaces nothing.
                    case OverwriteAnswer::No:
                    case OverwriteAnswer::Closed:
                        break;
                }
            }
            write = write || g_overwriteChoice == 1;
            file.outcome = write ? ImportedFile::Outcome::Replaced : ImportedFile::Outcome::Kept;
        }
        if (write) {
            // Staged now, made durable and put in place with the others at the end.
            std::vector<uint8_t> bytes;
            Status st = rec.CheckedAnalysisFileBytes(bytes);
            if (st) {
                st = batch.Stage(target, bytes);
            }
            if (!st) {
                file.outcome = ImportedFile::Outcome::WriteFailed;
                file.reason = st.reason;
                failures.append("\n")
                    .append(targetName)
                    .append(": ")
                    .append(ReasonInChinese(st.reason));
                report.files.push_back(std::move(file));
                continue;
            }
            staged.push_back(report.files.size());
            lastWritten = rec.waves[kStackedSlot];
            lastSamples = rec.SampleCount();
        }
        report.files.push_back(std::move(file));
    }
    // One sync for the whole batch instead of one per file; a failure keeps every old file.
    size_t replaced = 0;
    if (Status st = batch.Commit(replaced); !st) {
        for (size_t k = replaced; k < staged.size(); ++k) {
            ImportedFile& f = report.files[staged[k]];
            f.outcome = ImportedFile::Outcome::WriteFailed;
            f.reason = st.reason;
            failures.append("\n")
                .append(FileNameOf(f.analysisPath))
                .append(": ")
                .append(ReasonInChinese(st.reason));
        }
    }
    if (replaced > 0) {
        // The diagnostic dump of a save, once for the batch: the last file's.
        DumpWaveToFile("保存文件后.txt", lastWritten.data(), lastSamples);
    }
    for (const ImportedFile& f : report.files) {
        // An existing analysis file has its row from its own directory entry.
        if (f.outcome == ImportedFile::Outcome::Converted) {
            addRow(f.analysisPath);
        }
    }

    views_.DataListChanged();
    StartLoader();
    g_selectionCount = 0;
    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    if (!failures.empty()) {
        prompts_.Tell("以下原始文件未能转换：" + failures);
    }
    return report;
}

}  // namespace kx
