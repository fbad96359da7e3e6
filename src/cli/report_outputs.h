// The files kxtool report writes (--pdf, --docx, --figures): checked before anything is
// drawn, and the files a failed run created removed again, so that a run that fails leaves
// no new output behind.
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "print/print_settings.h"
#include "record/pile_record.h"

namespace kx::cli {

struct ReportOutputs {
    std::string pdf;
    std::string docx;
    std::string figures;  // directory
};

// Remembers the outputs a run creates (not those it replaces) and removes them on Discard.
class CreatedOutputs {
public:
    // Call before writing `path`.
    void Note(const std::string& path);
    void Discard();

private:
    std::vector<std::string> created_;
};

// Each output file's directory must exist, the figures directory must exist or have an
// existing parent, and no output file may be a directory. Names the first that fails.
bool CheckReportOutputs(Context& ctx, const ReportOutputs& out);

// Writes the Word report (--docx) and the figures (--figures) of the print list `entries`.
// The figures are drawn into `out.figures`, or into a temporary directory when only the
// document is asked for. On failure names the file and returns false.
bool WriteWordOutputs(Context& ctx, const PrintSettings& s,
                      const std::vector<const PileRecord*>& entries, const ReportOutputs& out,
                      CreatedOutputs& created);

}  // namespace kx::cli
