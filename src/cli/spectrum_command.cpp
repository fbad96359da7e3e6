#include <memory>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "waveform/spectrum.h"

namespace kx::cli {

void AddSpectrumCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("spectrum", "print the spectrum view's buffer as JSON");
    struct Args {
        std::string path;
        bool loaded = false;
    };
    auto a = std::make_shared<Args>();
    cmd->add_option("FILE", a->path, "raw (.kxd) or analysis (.kxc) file")->required();
    cmd->add_flag("--loaded", a->loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, a]() {
        PileRecord rec;
        if (!LoadRecord(ctx, a->path, a->loaded, rec)) {
            return;
        }
        SpectrumBuffer spectrum{};
        const int n = ComputeSpectrum(rec, spectrum);
        nlohmann::ordered_json j;
        j["n"] = n;
        j["spectrum"] = spectrum;
        ctx.out << j.dump(2) << "\n";
    });
}

}  // namespace kx::cli
