#include <sstream>

#include "cli/batch.h"
#include "cli/command.h"
#include "kx_version.h"

namespace kx::cli {

void Context::Fail(const std::string& path, const std::string& reason) {
    Warn(path, reason);
    exitCode = kExitFileError;
}

void Context::Warn(const std::string& path, const std::string& reason) {
    err << "kxtool: " << path << ": " << reason << "\n";
}

bool LoadRecord(Context& ctx, const std::string& path, PileRecord& rec) {
    return LoadRecord(ctx, path, false, rec);
}

bool LoadRecord(Context& ctx, const std::string& path, bool loaded, PileRecord& rec) {
    std::string error;
    if (!ReadRecordFor(ctx, path, loaded, rec, error)) {
        ctx.Fail(path, error);
        return false;
    }
    return true;
}

int RunKxTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"kxtool - batch tool of the KX pile integrity analysis system", "kxtool"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("kxtool ") + kVersion);
    Context ctx{out, err};
    AddInfoCommand(app, ctx);
    AddConvertCommand(app, ctx);
    AddSynthCommand(app, ctx);
    AddImportCommand(app, ctx);
    AddProcessCommand(app, ctx);
    AddSpectrumCommand(app, ctx);
    AddMarkersCommand(app, ctx);
    AddAnalyzeCommand(app, ctx);
    AddReportCommand(app, ctx);
    AddSiteSpeedCommand(app, ctx);
    AddSummaryCommand(app, ctx);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << "\n";
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "kxtool: " << e.what() << "\n";
        const CLI::App* sub = app.get_subcommands().empty() ? &app : app.get_subcommands()[0];
        err << sub->help();
        return kExitUsage;
    }
    return ctx.exitCode;
}

}  // namespace kx::cli
