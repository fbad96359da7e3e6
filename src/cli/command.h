// Shared plumbing of the kxtool commands.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "record/pile_record.h"

namespace kx::cli {

enum ExitCode { kExitOk = 0, kExitUsage = 1, kExitFileError = 2 };

struct Context {
    std::ostream& out;
    std::ostream& err;
    int exitCode = kExitOk;

    // "kxtool: <path>: <reason>" on stderr; a file error.
    void Fail(const std::string& path, const std::string& reason);
    // The same line without changing the exit status.
    void Warn(const std::string& path, const std::string& reason);
};

// Reads a test file as the desktop program does; on failure reports it and returns false.
bool LoadRecord(Context& ctx, const std::string& path, PileRecord& rec);
// The same, then with `loaded` the project loader's post-read steps (the --loaded flag).
bool LoadRecord(Context& ctx, const std::string& path, bool loaded, PileRecord& rec);

// Each command adds its sub-command to the application.
void AddInfoCommand(CLI::App& app, Context& ctx);
void AddConvertCommand(CLI::App& app, Context& ctx);
void AddSynthCommand(CLI::App& app, Context& ctx);
void AddImportCommand(CLI::App& app, Context& ctx);
void AddProcessCommand(CLI::App& app, Context& ctx);
void AddSpectrumCommand(CLI::App& app, Context& ctx);
void AddMarkersCommand(CLI::App& app, Context& ctx);
void AddAnalyzeCommand(CLI::App& app, Context& ctx);
// The drawing commands (report) live in a part of their own that loads Qt; kxtool itself
// only lists them in its help and hands their command lines over (see drawing_part.h).
void AddReportCommand(CLI::App& app, Context& ctx);
void AddSiteSpeedCommand(CLI::App& app, Context& ctx);
void AddSummaryCommand(CLI::App& app, Context& ctx);

// What runs a drawing command's whole command line (argv[1] names the command); returns its
// exit status. kxtool's own runs the drawing part as a program of its own.
using DrawingRunner = int (*)(int argc, const char* const* argv, std::ostream& out,
                              std::ostream& err);

// The one-line description of `report` in kxtool's help, shared by both parts.
inline constexpr const char* kReportDescription =
    "the report of a print list: PDF pages, the Word report and its figures";

// Whether argv names a drawing command (argv[1] is "report").
bool IsDrawingCommand(int argc, const char* const* argv);

// Runs kxtool with the given arguments; returns the exit status. A drawing command goes to
// `drawing` as it stands.
int RunKxTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
              DrawingRunner drawing);

// kxtool's application (name, version flag) and its parsing: the help, a usage error with the
// command's help, or the commands' exit status.
struct App : CLI::App {
    App();
};
int ParseAndRun(CLI::App& app, Context& ctx, int argc, const char* const* argv);

// Runs a drawing command in this process (the drawing part's main, and the tests).
int RunDrawingCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
