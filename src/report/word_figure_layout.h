// The geometry and texts of one waveform figure of the Word report: a column of pile blocks
// (as many as the report pages put on a page), the first figure with the title above. Pure
// arithmetic from the settings and the records, sibling of the report page layout with its
// own constants; RenderWordFigures only draws what this says.
//
// Units are pixels of the figure canvas, x to the right and y downward from its top-left.
// Values marked float are single precision; computed values become integers by truncation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "print/print_settings.h"
#include "print/report_page_layout.h"

namespace kx {

// The canvas: the figure window's client area of 553 x 820 dialog units at 96 dpi (6 x 13
// pixel dialog base units), tall enough for 14 blocks down to y = 1320.
inline constexpr int32_t kFigureCanvasWidth = (553 * 6 + 2) / 4;    // 830
inline constexpr int32_t kFigureCanvasHeight = (820 * 13 + 4) / 8;  // 1333

// 宋体 at 14 points for the title and every block text, 10 points for the ruler, converted
// at 96 dpi as the figures were designed.
inline constexpr int32_t kFigureFontHeight = FontHeightForPointTenths(140);       // 19
inline constexpr int32_t kFigureRulerFontHeight = FontHeightForPointTenths(100);  // 13

// The text column's lines hang 10, 30 and 50 pixels below the frame's top; its nominal
// height is its last line's top plus one text height.
inline constexpr int32_t kFigureColumnLineOffsets[3] = {10, 30, 50};
inline constexpr int32_t kFigureColumnNominalHeight = 50 + kFigureFontHeight;

struct WordFigureLayout {
    int32_t number = 0;        // the figure's number, from 1 (its file is number.jpg)
    int32_t blockHeight = 0;   // Hb
    int32_t plotWidth = 0;     // Wp
    int32_t pilesPerPage = 1;  // N
    // The first figure only: the title, centred horizontally at the top of this rectangle.
    std::optional<std::string> title;
    ReportRect titleRect;
    // Blocks in print-list order. In a block, y is the header line (d), y1 the frame top
    // (G), y2 the frame bottom (m), yS the plot's lower edge.
    std::vector<ReportBlock> blocks;
};

// The layout of figure `number` (1-based); a number past the last has no blocks.
WordFigureLayout LayoutWordFigure(const PrintSettings& s, const ReportEntries& entries,
                                  int32_t number);

}  // namespace kx
