// The conversion step of 导入原始数据: every raw file of the site directory read and, where
// the user agrees, written as the analysis file beside it. Apart from the workspace, so that
// the window can run it on a thread of its own while it stays responsive: it touches nothing
// but the files and asks everything through its host.
#pragma once

#include <string>
#include <vector>

#include "record/task_progress.h"
#include "workspace/user_prompts.h"

namespace kx {

// What became of one raw file during an import.
struct ImportedFile {
    enum class Outcome { Converted, Replaced, Kept, Unreadable, WriteFailed };
    std::string rawPath;
    std::string analysisPath;
    Outcome outcome = Outcome::Converted;
    std::string reason;  // for Unreadable and WriteFailed
};

// The raw files of one import, as the directory listed them up front.
struct RawImportJob {
    std::string dir;
    std::vector<std::string> rawNames;  // file names (".kxd") in listing order
};

struct RawImportResult {
    std::vector<ImportedFile> files;
    std::string failures;    // "\nname: reason" per file not converted
    bool cancelled = false;  // stopped by the user before the last file
};

// Whoever runs the conversion: the user's answers, what to show, the progress and 取消.
class RawImportHost : public TaskProgress {
public:
    // The overwrite question "文件%s已经存在是否覆盖".
    virtual OverwriteAnswer AskOverwrite(const std::string& question) = 0;
    // A reader's message about a file (shown while the import goes on).
    virtual void Tell(const std::string& text) = 0;
    // File `file` was converted (its analysis file is staged, in place once the import ends).
    virtual void Converted(const ImportedFile& file) { (void)file; }
};

// Converts the job's files. The analysis files are written as one batch at the end: staged
// beside their targets, made durable together, then put in place; so every file is either
// converted whole or not touched, also when the user stops the import (the files converted
// until then are kept). The diagnostic dumps of the reads and of the writes are made once,
// for the last file.
RawImportResult ConvertRawFiles(const RawImportJob& job, RawImportHost& host);

}  // namespace kx
