#include <sstream>
#include <string_view>

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

bool IsDrawingCommand(int argc, const char* const* argv) {
    return argc >= 2 && std::string_view(argv[1]) == "report";
}

App::App() : CLI::App("kxtool - batch tool of the KX pile integrity analysis system", "kxtool") {
    require_subcommand(1);
    set_version_flag("--version", std::string("kxtool ") + kVersion);
    footer(
        "process, spectrum, markers and analyze take one FILE, several (FILE...) or a project "
        "directory (--dir DIR); with more than one file each prints one JSON line per file with "
        "its \"path\" (or its \"error\"), process writes into a folder (-o DIR), and the exit "
        "status is 2 when any file failed. 'kxtool COMMAND --help' tells more.");
}

int ParseAndRun(CLI::App& app, Context& ctx, int argc, const char* const* argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        ctx.out << app.help();
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        ctx.out << e.what() << "\n";
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        ctx.err << "kxtool: " << e.what() << "\n";
        const CLI::App* sub = app.get_subcommands().empty() ? &app : app.get_subcommands()[0];
        ctx.err << sub->help();
        return kExitUsage;
    }
    return ctx.exitCode;
}

int RunKxTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
              DrawingRunner drawing) {
    if (IsDrawingCommand(argc, argv)) {
        return drawing(argc, argv, out, err);
    }
    App app;
    Context ctx{out, err};
    AddInfoCommand(app, ctx);
    AddConvertCommand(app, ctx);
    AddSynthCommand(app, ctx);
    AddImportCommand(app, ctx);
    AddProcessCommand(app, ctx);
    AddSpectrumCommand(app, ctx);
    AddMarkersCommand(app, ctx);
    AddAnalyzeCommand(app, ctx);
    // Listed here for the help; its command line never reaches this parser.
    app.add_subcommand("report", kReportDescription)->allow_extras();
    AddSiteSpeedCommand(app, ctx);
    AddSummaryCommand(app, ctx);
    return ParseAndRun(app, ctx, argc, argv);
}

}  // namespace kx::cli
