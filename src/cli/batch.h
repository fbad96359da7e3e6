// The many-files form of the commands that work file by file: FILE... or --dir DIR. One file
// given alone keeps the single-file output; more files, or a directory, give one JSON line per
// file with its path (or its error), every file done whatever became of the others, and exit
// status 2 at the end when any failed.
#pragma once

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "record/pile_record.h"

namespace kx::cli {

struct FileInputs {
    std::vector<std::string> files;
    std::string dir;
};

// FILE... and --dir DIR, one excluding the other.
void AddFileInputs(CLI::App* cmd, FileInputs& in);

// The files as given, or the directory's analysis files (and with `withRaw` its raw files) in
// project-list order. False (reported) when there is nothing to do.
bool InputPaths(Context& ctx, const FileInputs& in, bool withRaw, std::vector<std::string>& paths);

// Whether the output is JSON Lines: more than one file, or a directory.
inline bool IsBatch(const FileInputs& in) {
    return !in.dir.empty() || in.files.size() > 1;
}

// What one file gives: its object, or the reason it failed; with a file to write (process -o),
// that file's path and bytes.
struct FileResult {
    std::optional<nlohmann::ordered_json> object;
    std::string error;
    std::string outPath;
    std::vector<uint8_t> outBytes;
};

// What is done with each record read.
using FileWork = std::function<FileResult(const std::string& path, PileRecord& rec)>;

// Reads every path as LoadRecord does (`loaded`: the --loaded flag) and runs `one` on each
// record read. Files are taken on as many threads as there are cores, so `one` must touch
// nothing but its own record; what they give is printed in file order. Batch: a line per
// file, `{"path", ...object}` or `{"path", "error"}`, and each failure also on stderr. Single
// file: the object pretty-printed, or the failure on stderr. The files to write are written as
// one batch at the end (made durable together, then put in place; a file whose write failed
// gets its error). The readers' and the writer's diagnostic dumps are made once, for the last
// file.
void RunForEachFile(Context& ctx, const std::vector<std::string>& paths, bool batch, bool loaded,
                    const FileWork& one);

// Reads a record as LoadRecord does (its warnings on stderr), a failure's reason kept in
// `error` instead of printed.
bool ReadRecordFor(Context& ctx, const std::string& path, bool loaded, PileRecord& rec,
                   std::string& error);

}  // namespace kx::cli
