#include "cli/command.h"
#include "cli/record_json.h"

namespace kx::cli {

void AddInfoCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("info", "print a kxd or kxc file's record as JSON");
    auto path = std::make_shared<std::string>();
    auto loaded = std::make_shared<bool>(false);
    cmd->add_option("FILE", *path, "raw (.kxd) or analysis (.kxc) file")->required();
    cmd->add_flag("--loaded", *loaded, "apply the project loader's post-read steps first");
    cmd->callback([&ctx, path, loaded]() {
        PileRecord rec;
        if (!LoadRecord(ctx, *path, *loaded, rec)) {
            return;
        }
        ctx.out << RecordToJson(rec, *path).dump(2) << "\n";
    });
}

}  // namespace kx::cli
