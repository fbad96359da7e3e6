#include <charconv>
#include <memory>
#include <nlohmann/json.hpp>

#include "analysis/pile_analysis.h"
#include "cli/batch.h"

namespace kx::cli {

namespace {

// The analysis is an estimate: printed to a sensible number of decimals, its digits stay
// meaningful (and the same on every machine). Through the decimal text, so that the JSON
// shows exactly those decimals.
double Rounded(double v, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) {
        return v;
    }
    double rounded = v;
    std::from_chars(buf, r.ptr, rounded);
    return rounded;
}

nlohmann::ordered_json AnalysisToJson(const PileAnalysis& a) {
    nlohmann::ordered_json j;
    j["toeTimeUs"] = a.toe.timeUs ? nlohmann::ordered_json(Rounded(*a.toe.timeUs, 1))
                                  : nlohmann::ordered_json(nullptr);
    j["toeConfidence"] = Rounded(a.toe.confidence, 3);
    nlohmann::ordered_json defects = nlohmann::ordered_json::array();
    for (const PileDefect& d : a.defects) {
        nlohmann::ordered_json o;
        o["depthM"] = Rounded(d.depthM, 3);
        o["timeUs"] = Rounded(d.timeUs, 1);
        o["kind"] = d.kind == DefectKind::kNecking ? "necking" : "bulge";
        o["ratio"] = d.ratio ? nlohmann::ordered_json(Rounded(*d.ratio, 3))
                             : nlohmann::ordered_json(nullptr);
        defects.push_back(o);
    }
    j["defects"] = defects;
    nlohmann::ordered_json values = nlohmann::ordered_json::array();
    for (double z : a.impedance.values) {
        values.push_back(Rounded(z, 4));
    }
    j["impedance"] = {{"dzM", Rounded(a.impedance.dzM, 5)}, {"values", values}};
    return j;
}

}  // namespace

void AddAnalyzeCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "analyze", "find the pile toe, the defects and the impedance profile; print them as JSON");
    struct Args : FileInputs {
        bool loaded = false;
    };
    auto a = std::make_shared<Args>();
    AddFileInputs(cmd, *a);
    cmd->add_flag("--loaded", a->loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, a]() {
        std::vector<std::string> paths;
        if (!InputPaths(ctx, *a, false, paths)) {
            return;
        }
        RunForEachFile(ctx, paths, IsBatch(*a), a->loaded,
                       [&](const std::string&, PileRecord& rec) {
                           FileResult r;
                           r.object = AnalysisToJson(AnalyzePile(rec));
                           return r;
                       });
    });
}

}  // namespace kx::cli
