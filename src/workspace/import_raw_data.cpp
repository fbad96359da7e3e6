// "导入原始数据": every raw file of a site directory becomes an analysis file beside it, and
// the directory's analysis files become the project.
#include <filesystem>
#include <set>

#include "workspace/project_files.h"
#include "workspace/workspace.h"

namespace kx {

ImportReport Workspace::ImportRawData() {
    const std::optional<std::string> dir = prompts_.BrowseForFolder("请选择目录：");
    return ImportRawDataAt(dir.value_or(std::string()));
}

namespace {

// The import's host when it runs in the workspace's own call (kxtool, tests): the workspace's
// prompts answer at once.
class PromptingHost : public RawImportHost {
public:
    explicit PromptingHost(UserPrompts& prompts) : prompts_(prompts) {}
    OverwriteAnswer AskOverwrite(const std::string& question) override {
        return prompts_.AskOverwrite(question);
    }
    void Tell(const std::string& text) override { prompts_.Tell(text); }

private:
    UserPrompts& prompts_;
};

}  // namespace

ImportReport Workspace::ImportRawDataAt(const std::string& siteDir) {
    const std::optional<RawImportJob> job = BeginImport(siteDir);
    if (!job) {
        ImportReport report;
        report.cancelled = true;
        return report;
    }
    PromptingHost host(prompts_);
    return FinishImport(ConvertRawFiles(*job, host));
}

std::optional<RawImportJob> Workspace::BeginImport(const std::string& siteDir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> names;
    const bool isDir = !siteDir.empty() && fs::is_directory(siteDir, ec);
    if (isDir && !OfferToSaveChanges(Leaving::NewProject, views_.ReadPageTexts())) {
        // The save failed: the old project stays open with its edits.
        return std::nullopt;
    }
    // The directory is listed once, up front, so files written later are never met again.
    if (!isDir || !ListRegularFiles(siteDir, names)) {
        prompts_.Tell("无效的目录，请重新选择工地目录！");
        return std::nullopt;
    }
    ResetProject();
    m_projectDir = siteDir;

    RawImportJob job;
    job.dir = siteDir;
    std::set<std::string> listed;
    for (const std::string& name : names) {
        const std::string ext = FileSuffix(name);
        if (ext == "kxd") {
            job.rawNames.push_back(name);
        } else if (ext == "kxc") {
            const std::string path = JoinPath(siteDir, name);
            if (listed.insert(path).second) {
                m_filePaths.push_back(path);
                m_rows.push_back({name, false, "分析文件"});
            }
        }
    }
    importListed_ = m_filePaths.size();
    views_.DataListChanged();
    return job;
}

void Workspace::ListImportedFile(const std::string& analysisPath) {
    m_filePaths.push_back(analysisPath);
    m_rows.push_back({FileNameOf(analysisPath), false, "分析文件"});
    views_.DataListChanged();
}

ImportReport Workspace::FinishImport(RawImportResult result) {
    // The rows of the converted files, in the order converted, for the files now in place
    // (those listed during the import included; a file whose write failed at the end is not).
    m_filePaths.resize(importListed_);
    m_rows.resize(importListed_);
    std::set<std::string> listed(m_filePaths.begin(), m_filePaths.end());
    for (const ImportedFile& f : result.files) {
        // An existing analysis file has its row from its own directory entry.
        if (f.outcome == ImportedFile::Outcome::Converted && listed.insert(f.analysisPath).second) {
            m_filePaths.push_back(f.analysisPath);
            m_rows.push_back({FileNameOf(f.analysisPath), false, "分析文件"});
        }
    }
    views_.DataListChanged();
    StartLoader();
    g_selectionCount = 0;
    views_.SetAllViewRowCount(static_cast<int>(m_filePaths.size()));
    if (!result.failures.empty()) {
        prompts_.Tell("以下原始文件未能转换：" + result.failures);
    }
    ImportReport report;
    report.stopped = result.cancelled;
    report.files = std::move(result.files);
    return report;
}

}  // namespace kx
