#include <memory>
#include <nlohmann/json.hpp>

#include "cli/batch.h"
#include "cli/record_json.h"
#include "waveform/pile_markers.h"

namespace kx::cli {

void AddMarkersCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "markers", "place the markers as file selection does and print them as JSON");
    struct Args : FileInputs {
        int width = 0;
        bool loaded = false;
    };
    auto a = std::make_shared<Args>();
    AddFileInputs(cmd, *a);
    cmd->add_option("--width", a->width, "client width of the stacked view in pixels")
        ->type_name("W")
        ->required()
        ->check(CLI::PositiveNumber);
    cmd->add_flag("--loaded", a->loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, a]() {
        std::vector<std::string> paths;
        if (!InputPaths(ctx, *a, false, paths)) {
            return;
        }
        RunForEachFile(ctx, paths, IsBatch(*a), a->loaded,
                       [&](const std::string&, PileRecord& rec) {
                           FileResult r;
                           const MarkerPixels px = PlaceMarkersForRecord(rec, a->width);
                           nlohmann::ordered_json j;
                           j["topX"] = px.topX;
                           j["bottomX"] = px.bottomX;
                           j["defectX"] = px.defectX;
                           j["pileTopTimeUs"] = rec.pileTopTimeUs;
                           j["pileBottomTimeUs"] = rec.pileBottomTimeUs;
                           j["defectTimeUs"] = JsonFloat(rec.defectTimeUs);
                           j["defectDepth"] = JsonFloat(DefectDepth(rec, a->width));
                           r.object = std::move(j);
                           return r;
                       });
    });
}

}  // namespace kx::cli
