// kxtool summary and kxtool site-speed: the site as a whole, from its analysis files.
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "analysis/pile_analysis.h"
#include "cli/batch.h"
#include "workspace/project_files.h"
#include "workspace/site_summary.h"

namespace kx::cli {

namespace {

struct SiteArgs {
    std::vector<std::string> files;
    std::string dir;
};

void AddSiteInputs(CLI::App* cmd, SiteArgs& args) {
    auto* files = cmd->add_option("FILE", args.files, "analysis (.kxc) files of the site");
    auto* dir = cmd->add_option("--dir", args.dir,
                                "a project directory: its analysis files in project-list order");
    files->excludes(dir);
}

// The site's files in project-list order; false (reported) when there are none to read.
bool SitePaths(Context& ctx, const SiteArgs& args, std::vector<std::string>& paths) {
    if (args.files.empty() && args.dir.empty()) {
        throw CLI::ValidationError("give the site's files or --dir DIR");
    }
    paths = args.files;
    if (!args.dir.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_directory(args.dir, ec) ||
            !ListFilesWithSuffix(args.dir, "kxc", paths)) {
            ctx.Fail(args.dir, "not a readable directory");
            return false;
        }
        SortByNumericName(paths);
        if (paths.empty()) {
            ctx.Fail(args.dir, "no analysis files in the directory");
            return false;
        }
    }
    return true;
}

// Every file read (with `loaded`, as the project loader leaves it) and analysed; an unreadable
// one is reported and keeps its row.
std::vector<SiteSummaryRow> SummarizeSite(Context& ctx, const std::vector<std::string>& paths,
                                          bool loaded) {
    std::vector<SiteSummaryRow> rows;
    for (const std::string& path : paths) {
        const std::string name = std::filesystem::path(path).filename().string();
        PileRecord rec;
        std::string error;
        if (!ReadRecordFor(ctx, path, loaded, rec, error)) {
            ctx.Fail(path, error);
            rows.push_back(UnreadablePile(name, error));
            continue;
        }
        rows.push_back(SummarizePile(name, rec, AnalyzePile(rec)));
    }
    return rows;
}

nlohmann::ordered_json OrNull(const std::optional<double>& v) {
    return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json OrNull(const std::string& s) {
    return s.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(s);
}

nlohmann::ordered_json RowJson(const std::string& path, const SiteSummaryRow& r) {
    nlohmann::ordered_json j;
    j["path"] = path;
    if (!r.readable) {
        j["error"] = r.problem;
        return j;
    }
    j["pileNumber"] = r.pile;
    j["pileLength"] = r.lengthM;
    j["waveSpeed"] = r.speedMps;
    j["defectDepth"] = r.defectDepthM;
    j["integrityClass"] = r.recordedClass;
    j["proposedClass"] = OrNull(ClassName(r.proposed.grade));
    j["proposedReason"] = r.proposed.reason;
    j["toeConfidence"] = r.toeConfidence;
    return j;
}

nlohmann::ordered_json SiteSpeedJson(const std::vector<std::string>& paths,
                                     const std::vector<SiteSummaryRow>& rows) {
    const SiteSpeedReport report = SiteSpeedOf(rows);
    nlohmann::ordered_json j;
    j["meanSpeed"] = OrNull(report.site.meanMps);
    j["reason"] = report.site.meanMps ? nlohmann::ordered_json(nullptr)
                                      : nlohmann::ordered_json(report.site.refusal);
    nlohmann::ordered_json piles = nlohmann::ordered_json::array();
    for (size_t i = 0; i < report.piles.size(); ++i) {
        const SiteSpeedEntry& e = report.piles[i];
        piles.push_back({{"path", paths[i]},
                         {"speed", OrNull(e.speedMps)},
                         {"source", OrNull(e.source)},
                         {"used", e.used},
                         {"why", e.why}});
    }
    j["piles"] = piles;
    return j;
}

}  // namespace

void AddSiteSpeedCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "site-speed",
        "the site's wave speed: the mean over intact piles with a clear toe, each within 5 %");
    struct Args : SiteArgs {
        bool loaded = false;
    };
    auto args = std::make_shared<Args>();
    AddSiteInputs(cmd, *args);
    cmd->add_flag("--loaded", args->loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, args]() {
        std::vector<std::string> paths;
        if (!SitePaths(ctx, *args, paths)) {
            return;
        }
        ctx.out << SiteSpeedJson(paths, SummarizeSite(ctx, paths, args->loaded)).dump(2) << "\n";
    });
}

void AddSummaryCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("summary",
                                   "the site's summary table (proposed classes included) as JSON, "
                                   "CSV or XLSX; each file as the "
                                   "project loader leaves it");
    struct Args : SiteArgs {
        std::string csv;
        std::string xlsx;
        bool json = false;
    };
    auto args = std::make_shared<Args>();
    AddSiteInputs(cmd, *args);
    cmd->add_option("--csv", args->csv, "write the table as CSV (UTF-8 with BOM)");
    cmd->add_option("--xlsx", args->xlsx, "write the table as an Excel workbook");
    cmd->add_flag("--json", args->json, "print the table as JSON (the default without a file)");
    cmd->callback([&ctx, args]() {
        std::vector<std::string> paths;
        if (!SitePaths(ctx, *args, paths)) {
            return;
        }
        // As the window's 工程汇总: each file as the project loader leaves it.
        const std::vector<SiteSummaryRow> rows = SummarizeSite(ctx, paths, true);
        const Table table = SummaryTable(rows);
        if (!args->csv.empty()) {
            if (Status st = WriteCsv(table, args->csv); !st) {
                ctx.Fail(args->csv, st.reason);
            }
        }
        if (!args->xlsx.empty()) {
            if (Status st = WriteXlsx(table, "工程汇总", args->xlsx); !st) {
                ctx.Fail(args->xlsx, st.reason);
            }
        }
        if (args->json || (args->csv.empty() && args->xlsx.empty())) {
            nlohmann::ordered_json piles = nlohmann::ordered_json::array();
            for (size_t i = 0; i < rows.size(); ++i) {
                piles.push_back(RowJson(paths[i], rows[i]));
            }
            ctx.out << piles.dump(2) << "\n";
        }
    });
}

}  // namespace kx::cli
