// The name proposed for a file of the report (the PDF of its pages, the Word document): named
// after the site of the first print-list entry that has one, in the project's directory.
#pragma once

#include <string>

#include "print/report_page_layout.h"

namespace kx {

// `directory`/<site><suffix>, or `directory`/<fallbackName><suffix> when no entry names a
// site; the current directory when `directory` is empty. The site becomes a plain file name
// (no directory separators, no leading dots).
std::string DefaultReportPath(const ReportEntries& entries, const std::string& directory,
                              const std::string& fallbackName, const std::string& suffix);

}  // namespace kx
