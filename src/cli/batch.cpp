#include "cli/batch.h"

#include <algorithm>
#include <filesystem>

#include "workspace/load_steps.h"
#include "workspace/project_files.h"

namespace kx::cli {

void AddFileInputs(CLI::App* cmd, FileInputs& in) {
    auto* files = cmd->add_option("FILE", in.files, "raw (.kxd) or analysis (.kxc) files");
    auto* dir =
        cmd->add_option("--dir", in.dir, "a project directory: its files in project-list order");
    files->excludes(dir);
}

bool InputPaths(Context& ctx, const FileInputs& in, bool withRaw, std::vector<std::string>& paths) {
    if (in.files.empty() && in.dir.empty()) {
        throw CLI::ValidationError("give FILE... or --dir DIR");
    }
    paths = in.files;
    if (in.dir.empty()) {
        return true;
    }
    std::error_code ec;
    std::vector<std::string> raw;
    if (!std::filesystem::is_directory(in.dir, ec) || !ListFilesWithSuffix(in.dir, "kxc", paths) ||
        (withRaw && !ListFilesWithSuffix(in.dir, "kxd", raw))) {
        ctx.Fail(in.dir, "not a readable directory");
        return false;
    }
    // A raw file counts where no analysis file stands beside it (whose output it would share).
    for (const std::string& r : raw) {
        const std::string analysis = std::filesystem::path(r).replace_extension(".kxc").string();
        if (std::find(paths.begin(), paths.end(), analysis) == paths.end()) {
            paths.push_back(r);
        }
    }
    SortByNumericName(paths);
    if (paths.empty()) {
        ctx.Fail(in.dir,
                 withRaw ? "no test files in the directory" : "no analysis files in the directory");
        return false;
    }
    return true;
}

void RunForEachFile(Context& ctx, const std::vector<std::string>& paths, bool batch,
                    const std::function<FileResult(const std::string& path)>& one) {
    for (const std::string& path : paths) {
        const FileResult r = one(path);
        if (!r.object) {
            ctx.Fail(path, r.error);
        }
        if (!batch) {
            if (r.object) {
                ctx.out << r.object->dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
                        << "\n";
            }
            continue;
        }
        nlohmann::ordered_json line;
        line["path"] = path;
        if (r.object) {
            for (const auto& [key, value] : r.object->items()) {
                line[key] = value;
            }
        } else {
            line["error"] = r.error;
        }
        ctx.out << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    }
}

bool ReadRecordFor(Context& ctx, const std::string& path, bool loaded, PileRecord& rec,
                   std::string& error) {
    const ReadOutcome r = rec.ReadTestFile(nullptr, path);
    for (const std::string& m : r.messages) {
        ctx.Warn(path, m);
    }
    if (!r) {
        error = r.status.reason;
        return false;
    }
    if (loaded) {
        ApplyLoadSteps(rec);
    }
    return true;
}

}  // namespace kx::cli
