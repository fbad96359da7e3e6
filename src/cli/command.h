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
void AddReportCommand(CLI::App& app, Context& ctx);
void AddSiteSpeedCommand(CLI::App& app, Context& ctx);
void AddSummaryCommand(CLI::App& app, Context& ctx);

// Runs kxtool with the given arguments; returns the exit status.
int RunKxTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace kx::cli
