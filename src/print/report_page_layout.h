// The geometry and texts of one printed report page: the title, a column of pile blocks (one
// per print-list entry on the page) and the footer. Pure arithmetic from the settings, the
// records and the drawing rectangle, so the preview, the printer, the PDF and the tests all
// see the same numbers; RenderReportPage only draws what this says.
//
// Units are printer pixels of a 600-dpi page, x to the right and y downward from the top-left
// of the printable area. Values marked float below are single precision, and computed values
// become integers by truncation toward zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "print/print_settings.h"
#include "record/pile_record.h"

namespace kx {

struct ReportRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const ReportRect&) const = default;
};

struct ReportPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ReportPoint&) const = default;
};

struct ReportLine {
    ReportPoint from;
    ReportPoint to;
    bool operator==(const ReportLine&) const = default;
};

// A text with its top-left corner at `at`, in the face 宋体 at `height` pixels (character
// height without internal leading). Texts are UTF-8.
struct ReportText {
    ReportPoint at;
    std::string text;
    int32_t height = 0;
};

// Font heights in page units. The fonts are given in tenths of a point and converted with a
// 96-dpi screen's resolution, not the printer's, as the pages were designed: 96 × v / 720
// rounded. A fixed 96 keeps the pages independent of the screen the program runs on.
inline constexpr int32_t FontHeightForPointTenths(int32_t v) {
    return (96 * v + 360) / 720;
}
inline constexpr int32_t kTitleFontHeight = FontHeightForPointTenths(1000);  // 133
inline constexpr int32_t kTextFontHeight = FontHeightForPointTenths(800);    // 107
inline constexpr int32_t kRulerFontHeight = FontHeightForPointTenths(600);   // 80

// The ruler's ticks rise this far into the plot from its lower edge; the plot is never lower.
inline constexpr int32_t kRulerTickHeight = 40;

// The text column's lines hang 40, 150 and 260 pixels below the top of the block's frame.
inline constexpr int32_t kColumnLineOffsets[3] = {40, 150, 260};
// The column's nominal height: its last line's top plus one text height.
inline constexpr int32_t kColumnNominalHeight = 260 + kTextFontHeight;

// One pile block, in drawing order of its parts.
struct ReportBlock {
    size_t entry = 0;  // print-list position
    int32_t y = 0;     // top of the block: the header line
    int32_t y1 = 0;    // top of the frame (y + 200)
    int32_t y2 = 0;    // bottom of the frame: int(y + H)
    int32_t yS = 0;    // lower edge of the plot: int(y2 - 0.4 H), at least y1 + 40

    // 工地 (if shown), 桩号 (if shown), 测试日期 (always), text-font height.
    std::vector<ReportText> header;
    // Default pen: frame top, left, right, plot/column divider, plot lower edge, frame bottom.
    std::vector<ReportLine> frame;
    // Dotted zero line and the waveform polyline (its first point is the start). Both absent
    // for a record without samples.
    std::optional<ReportLine> zeroLine;
    std::vector<ReportPoint> wave;
    // Dotted grey lines: pile bottom, pile top, defect (each only when shown).
    std::vector<ReportLine> markers;
    // Five ticks from pile top to pile bottom, their labels and "ms" (ruler font).
    std::vector<ReportLine> rulerTicks;
    std::vector<ReportText> rulerLabels;
    // 桩长, 波速, 缺陷位置 (each only when shown), left of the column at L + Wp + 20.
    std::vector<ReportText> column;
    // The grey pile bar from pile top to pile bottom (left, top, right, bottom).
    std::optional<ReportRect> pileBar;
};

struct ReportPageLayout {
    int32_t left = 0;          // L: the left margin's edge
    int32_t right = 0;         // R: the right margin's edge
    int32_t plotWidth = 0;     // Wp
    float blockHeight = 0;     // H
    int32_t pilesPerPage = 1;  // N
    ReportRect titleRect;      // the title, centred on one line in it (title font)
    std::string title;
    std::vector<ReportBlock> blocks;
    std::vector<ReportText> footer;
    std::vector<ReportText> body;  // the cover's lines (nothing on a report page)
};

// The records of the print list in report order: entry k's record, or null when it could not
// be loaded (its block is drawn as a frame with empty texts and no curve).
struct ReportEntries {
    size_t count = 0;
    std::function<const PileRecord*(size_t k)> record;
};

// Entries over records already in memory (null entries allowed).
ReportEntries EntriesOf(const std::vector<const PileRecord*>& records);

// Number of report pages: the entries divided by the piles per page, rounded up (0 for an
// empty list).
int ReportPageCount(const PrintSettings& s, size_t entryCount);

// The layout of page `page` (1-based) on the drawing rectangle `d`. Only the entries on the
// page are asked for their records. A page past the last has no blocks but the title and
// footer.
ReportPageLayout LayoutReportPage(const PrintSettings& s, const ReportEntries& entries, int page,
                                  const ReportRect& d);

// The cover: the report's title as a page's, then the project's fields a line each from a
// third of the way down, and the three signatures on one line below them.
ReportPageLayout LayoutReportCover(const PrintSettings& s, const ReportRect& d);

}  // namespace kx
