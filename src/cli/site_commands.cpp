// kxtool summary and kxtool site-speed: the site as a whole, from its analysis files.
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "analysis/pile_analysis.h"
#include "cli/command.h"
#include "workspace/project_files.h"
#include "workspace/project_records.h"
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

// Every file loaded as the project loader loads it and analysed; an unreadable one is
// reported and keeps its row.
std::vector<SiteSummaryRow> SummarizeSite(Context& ctx, const std::vector<std::string>& paths) {
    ProjectRecords records;
    records.StartLoading(paths);
    records.WaitUntilLoaded();
    std::vector<SiteSummaryRow> rows;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string name = std::filesystem::path(paths[i]).filename().string();
        const PileRecord* rec = records.TryGet(i);
        if (Status st = records.ReadStatus(i); !st || rec == nullptr) {
            ctx.Fail(paths[i], st.reason);
            rows.push_back(UnreadablePile(name, st.reason));
            continue;
        }
        rows.push_back(SummarizePile(name, *rec, AnalyzePile(*rec)));
    }
    return rows;
}

nlohmann::ordered_json OrNull(const std::optional<double>& v) {
    return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json RowJson(const SiteSummaryRow& r) {
    nlohmann::ordered_json j;
    j["file"] = r.file;
    if (!r.readable) {
        j["error"] = r.problem;
        return j;
    }
    j["pile"] = r.pile;
    j["lengthM"] = r.lengthM;
    j["speedMps"] = r.speedMps;
    j["defectDepthM"] =
        OrNull(r.defectDepthM > 0 ? std::optional<double>(r.defectDepthM) : std::nullopt);
    j["recordedClass"] = r.recordedClass;
    j["proposedClass"] = ClassName(r.proposed.grade);
    j["reason"] = r.proposed.reason;
    j["toeTimeUs"] = OrNull(r.toeTimeUs);
    j["toeConfidence"] = r.toeConfidence;
    j["markedToeUs"] = OrNull(r.markedToeUs);
    j["saved"] = r.saved;
    return j;
}

nlohmann::ordered_json SiteSpeedJson(const std::vector<SiteSummaryRow>& rows) {
    const SpeedCandidates candidates = SpeedCandidatesOf(rows);
    const SiteWaveSpeed site = ComputeSiteWaveSpeed(candidates.samples);
    nlohmann::ordered_json j;
    j["meanMps"] = OrNull(site.meanMps);
    if (!site.meanMps) {
        j["refusal"] = site.refusal;
    }
    nlohmann::ordered_json piles = nlohmann::ordered_json::array();
    for (const SiteSpeedPile& p : site.piles) {
        piles.push_back({{"pile", p.pile}, {"speedMps", p.speedMps}, {"dropped", p.droppedAs}});
    }
    j["piles"] = piles;
    nlohmann::ordered_json left = nlohmann::ordered_json::array();
    for (const auto& [pile, reason] : candidates.leftOut) {
        left.push_back({{"pile", pile}, {"reason", reason}});
    }
    j["leftOut"] = left;
    return j;
}

}  // namespace

void AddSiteSpeedCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "site-speed",
        "the site's wave speed: the mean over intact piles with a clear toe, each within 5 %");
    auto args = std::make_shared<SiteArgs>();
    AddSiteInputs(cmd, *args);
    cmd->callback([&ctx, args]() {
        std::vector<std::string> paths;
        if (!SitePaths(ctx, *args, paths)) {
            return;
        }
        ctx.out << SiteSpeedJson(SummarizeSite(ctx, paths)).dump(2) << "\n";
    });
}

void AddSummaryCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "summary", "the site's summary table (proposed classes included) as JSON, CSV or XLSX");
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
        const std::vector<SiteSummaryRow> rows = SummarizeSite(ctx, paths);
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
            for (const SiteSummaryRow& r : rows) {
                piles.push_back(RowJson(r));
            }
            nlohmann::ordered_json j;
            j["piles"] = piles;
            j["siteWaveSpeed"] = SiteSpeedJson(rows);
            ctx.out << j.dump(2) << "\n";
        }
    });
}

}  // namespace kx::cli
