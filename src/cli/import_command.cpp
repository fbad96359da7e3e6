#include <filesystem>
#include <memory>

#include "cli/command.h"
#include "workspace/workspace.h"

namespace kx::cli {

namespace {

// The import's questions answered from the command line: the directory given, and the
// blanket overwrite answer chosen by --overwrite.
class ScriptedImportPrompts : public UserPrompts {
public:
    ScriptedImportPrompts(std::string dir, bool overwriteAll)
        : dir_(std::move(dir)), overwriteAll_(overwriteAll) {}
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return dir_; }
    std::optional<std::string> AskOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
        return {};
    }
    OverwriteAnswer AskOverwrite(const std::string&) override {
        return overwriteAll_ ? OverwriteAnswer::YesToAll : OverwriteAnswer::NoToAll;
    }

private:
    std::string dir_;
    bool overwriteAll_;
};

// No window: nothing is shown and nothing is ever selected.
class NoViews : public WorkspaceViews {
public:
    PageTexts ReadPageTexts() override { return {}; }
    void ShowRecordOnPages(const PileRecord&) override {}
    bool CollectPagesIntoRecord(PileRecord&) override { return true; }
    void PlaceMarkersForRecord(PileRecord&) override {}
    void SetBackupWave(const WaveSlot&) override {}
    void RestoreWave(PileRecord&) override {}
    float DefectDepth(const PileRecord&) override { return 0.0f; }
    void ComputeSpectrum(const PileRecord&) override {}
    void SetRawViewSelectedBlow(int) override {}
    void SetAllViewRowCount(int) override {}
};

}  // namespace

void AddImportCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "import", "convert every raw file of a site directory into an analysis file beside it");
    struct Args {
        std::string dir;
        std::string overwrite = "none";
    };
    auto args = std::make_shared<Args>();
    cmd->add_option("DIR", args->dir, "site directory")->required();
    cmd->add_option("--overwrite", args->overwrite, "replace existing analysis files: all or none")
        ->check(CLI::IsMember({"all", "none"}));
    cmd->callback([&ctx, args]() {
        std::error_code ec;
        if (!std::filesystem::is_directory(args->dir, ec)) {
            ctx.Fail(args->dir, "not a directory");
            return;
        }
        ScriptedImportPrompts prompts(args->dir, args->overwrite == "all");
        NoViews views;
        Workspace ws(prompts, views);
        const ImportReport report = ws.ImportRawData();
        if (report.cancelled) {
            ctx.Fail(args->dir, "cannot read the directory");
            return;
        }
        for (const ImportedFile& f : report.files) {
            switch (f.outcome) {
                case ImportedFile::Outcome::Converted:
                    ctx.out << "converted " << f.rawPath << " -> " << f.analysisPath << "\n";
                    break;
                case ImportedFile::Outcome::Replaced:
                    ctx.out << "replaced " << f.analysisPath << " from " << f.rawPath << "\n";
                    break;
                case ImportedFile::Outcome::Kept:
                    ctx.out << "kept " << f.analysisPath << "\n";
                    break;
                case ImportedFile::Outcome::Unreadable:
                    ctx.Fail(f.rawPath, f.reason);
                    break;
                case ImportedFile::Outcome::WriteFailed:
                    ctx.Fail(f.analysisPath, f.reason);
                    break;
            }
        }
    });
}

}  // namespace kx::cli
