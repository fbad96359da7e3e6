// 输出到WORD after the print dialog was confirmed with "生成WORD": the figures are drawn from
// the settings as confirmed, into a temporary directory of this export; the document is
// built; the user chooses where to save it; it is written and opened with the desktop's
// default application for .docx.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "print/print_settings.h"
#include "record/pile_record.h"
#include "record/task_progress.h"
#include "workspace/user_prompts.h"

namespace kx {

inline constexpr const char* kWordFilter = "Word文档(*.docx)|*.docx||";
inline constexpr const char* kWordErrorCaption = "错误提示";

// Opens a saved document; false when no application took it.
using OpenDocumentFn = std::function<bool(const std::string& path)>;

// The name proposed for the document: the site of the first entry that has one, in the
// project directory, else the report title there.
std::string DefaultWordReportPath(const std::vector<const PileRecord*>& entries,
                                  const std::string& projectDir);

enum class WordExportOutcome { Saved, Cancelled, Failed };

// Runs the export. Failures are told to the user naming the file and the reason; when the
// saved document cannot be opened, a message says where it was saved. `progress` hears of
// each figure drawn; cancelled, the export ends before the next step and saves nothing.
WordExportOutcome ExportWordReport(const PrintSettings& settings,
                                   const std::vector<const PileRecord*>& entries,
                                   const std::string& projectDir, UserPrompts& prompts,
                                   const OpenDocumentFn& open, TaskProgress* progress = nullptr);

// Opens a file with the desktop's default application (QDesktopServices).
bool OpenWithDesktop(const std::string& path);

}  // namespace kx
