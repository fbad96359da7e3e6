#include <memory>
#include <nlohmann/json.hpp>

#include "cli/batch.h"
#include "waveform/spectrum.h"

namespace kx::cli {

void AddSpectrumCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("spectrum", "print the spectrum view's buffer as JSON");
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
                           SpectrumBuffer spectrum{};
                           const int n = ComputeSpectrum(rec, spectrum);
                           nlohmann::ordered_json j;
                           j["n"] = n;
                           j["spectrum"] = spectrum;
                           r.object = std::move(j);
                           return r;
                       });
    });
}

}  // namespace kx::cli
