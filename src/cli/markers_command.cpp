#include <memory>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/record_json.h"
#include "waveform/pile_markers.h"

namespace kx::cli {

void AddMarkersCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "markers", "place the markers as file selection does and print them as JSON");
    struct Args {
        std::string path;
        int width = 0;
        bool loaded = false;
    };
    auto a = std::make_shared<Args>();
    cmd->add_option("FILE", a->path, "raw (.kxd) or analysis (.kxc) file")->required();
    cmd->add_option("--width", a->width, "client width of the stacked view in pixels")
        ->type_name("W")
        ->required()
        ->check(CLI::PositiveNumber);
    cmd->add_flag("--loaded", a->loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, a]() {
        PileRecord rec;
        if (!LoadRecord(ctx, a->path, a->loaded, rec)) {
            return;
        }
        const MarkerPixels px = PlaceMarkersForRecord(rec, a->width);
        nlohmann::ordered_json j;
        j["topX"] = px.topX;
        j["bottomX"] = px.bottomX;
        j["defectX"] = px.defectX;
        j["pileTopTimeUs"] = rec.pileTopTimeUs;
        j["pileBottomTimeUs"] = rec.pileBottomTimeUs;
        j["defectTimeUs"] = JsonFloat(rec.defectTimeUs);
        j["defectDepth"] = JsonFloat(DefectDepth(rec, a->width));
        ctx.out << j.dump(2) << "\n";
    });
}

}  // namespace kx::cli
