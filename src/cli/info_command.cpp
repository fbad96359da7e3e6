#include "cli/command.h"
#include "cli/record_json.h"

namespace kx::cli {

void AddInfoCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("info", "print a kxd or kxc file's record as JSON");
    auto path = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "raw (.kxd) or analysis (.kxc) file")->required();
    cmd->callback([&ctx, path]() {
        PileRecord rec;
        if (!LoadRecord(ctx, *path, rec)) {
            return;
        }
        ctx.out << RecordToJson(rec, *path).dump(2) << "\n";
    });
}

}  // namespace kx::cli
