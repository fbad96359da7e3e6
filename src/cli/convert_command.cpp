#include <filesystem>

#include "cli/command.h"
#include "record/file_io.h"

namespace kx::cli {

void AddConvertCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("convert", "write a raw file as an analysis file");
    struct Args {
        std::string in, out;
        bool force = false;
    };
    auto args = std::make_shared<Args>();
    cmd->add_option("IN", args->in, "raw test file (.kxd)")->required();
    cmd->add_option("OUT", args->out, "analysis file to write (.kxc)")->required();
    cmd->add_flag("--force", args->force, "replace an existing OUT");
    cmd->callback([&ctx, args]() {
        if (FileSuffix(args->in) != "kxd") {
            ctx.Fail(args->in, "not a raw test file (.kxd)");
            return;
        }
        std::error_code ec;
        if (!args->force && std::filesystem::exists(args->out, ec)) {
            ctx.Fail(args->out, "exists; use --force to replace it");
            return;
        }
        PileRecord rec;
        if (!LoadRecord(ctx, args->in, rec)) {
            return;
        }
        // As the import does: an unclassified pile starts as class I.
        if (rec.integrityClass.empty()) {
            rec.integrityClass = "I";
        }
        if (Status st = rec.WriteAnalysisFile(args->out); !st) {
            ctx.Fail(args->out, st.reason);
        }
    });
}

}  // namespace kx::cli
