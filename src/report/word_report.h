// The Word report of the print list: a centred title, the summary table with one row per
// entry, and the waveform figures 1.jpg ... k.jpg below it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "print/conclusion_text.h"
#include "print/report_header.h"
#include "record/pile_record.h"
#include "record/status.h"
#include "report/word_handle.h"

namespace kx {

// The table's header row.
extern const std::array<const char*, kSummaryColumns> kSummaryHeader;

// The nine cells (UTF-8) of the row of print-list entry k (0-based) for record `rec`.
std::array<std::string, kSummaryColumns> SummaryRowTexts(size_t k, const PileRecord& rec,
                                                         float depth);

// Number of figures for `entries` print-list entries at `pilesPerPage` piles per figure:
// entries / pilesPerPage rounded up (0 for an empty list or a count below 1).
int32_t WordFigureCount(size_t entries, int32_t pilesPerPage);

// The file name of figure `number` (from 1): "1.jpg", "2.jpg", ...
std::string WordFigureName(int32_t number);

// The paths of exactly figures 1 ... count in `dir`.
std::vector<std::string> WordFigurePaths(const std::string& dir, int32_t count);

// Builds the report into the open document of `h`: the title in 黑体 18 centred, the
// summary table of entries + 1 rows (header, then one row per entry; a null entry, one that
// could not be read, gets its number only), then each picture in the order given. Stops at
// the first failure, which names the picture or cell. The defect depth is the record's own,
// independent of any view, as on the report pages.
// Beyond the original report, off by default: page numbers in the footer, the table's header
// row on every page, and column widths that keep numbers and dates on one line.
struct WordReportOptions {
    bool pageNumbers = false;
    // The project's fields and signatures above the title; none: no cover.
    const ReportHeader* cover = nullptr;
};
Status BuildWordReport(WordHandle& h, const std::vector<const PileRecord*>& entries,
                       const std::vector<std::string>& pictures,
                       const WordReportOptions& options = {});

// New document, BuildWordReport, written to `outPath` (atomically: on failure nothing is
// left there and an old file stays as it was).
Status WriteWordReport(const std::vector<const PileRecord*>& entries,
                       const std::vector<std::string>& pictures, const std::string& outPath,
                       const WordReportOptions& options = {});

}  // namespace kx
