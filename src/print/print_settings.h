// What the report pages and the Word report show: one instance owned by the main window, set
// to these defaults at start and changed only by confirming the print dialog. Never saved by
// itself (the print-info file holds part of the dialog's controls, not this).
#pragma once

#include <cstdint>
#include <string>

#include "print/report_header.h"

namespace kx {

struct PrintSettings {
    // Texts are UTF-8: they are typed in the dialog or on the command line and only ever
    // drawn, never written to a file of the program's own formats.
    std::string title = "低应变桩基完整性检测附图";
    bool showPileBottom = true;
    bool showPileTop = true;
    bool showPileShape = true;
    bool showDefect = true;
    bool showSite = true;
    bool showPileNumber = true;
    bool showPileLength = true;
    bool showWaveSpeed = true;
    bool showRuler = true;
    bool halfWave = false;
    // The three page parameters keep the text as typed; each consumer reads it (below).
    std::string pilesPerPage = "10";
    std::string leftMarginMm = "20";
    std::string rightMarginMm = "20";
    int32_t startPage = 1;
    bool pageNumberFooter = true;  // false: the writer/reporter footer
    std::string writer;
    std::string reporter;
    // Options beyond the original pages, off by default so that the pages stay as they were:
    // each pile block's class and conclusion under its column; "第 n 页 / 共 m 页" as the page
    // footer; in the Word report, page numbers in the footer, the table's header row repeated
    // on every page and number columns that never break.
    bool classInBlock = false;
    bool pageOfTotal = false;
    bool wordPageNumbers = false;
    // A cover before the report (PDF: a page of its own; Word: the fields above the title).
    bool coverPage = false;
    ReportHeader cover;

    bool operator==(const PrintSettings&) const = default;
};

inline constexpr int kMinPilesPerPage = 1;
inline constexpr int kMaxPilesPerPage = 14;

// The piles per page as the pages use it: the integer value of the text, held to 1-14 (the
// dialog already keeps it there; a text from anywhere else gets the same range, so the page
// count and the layout never divide by zero).
int PilesPerPageOf(const PrintSettings& s);

// The side margins the dialog and kxtool accept, in millimetres (the spin buttons' range).
inline constexpr int kMinSideMarginMm = 0;
inline constexpr int kMaxSideMarginMm = 100;

// A margin text's decimal value in millimetres (0 when it is not a number). Held to
// +-kMaxMarginMm so the page arithmetic stays within int32 pixels whatever is typed.
inline constexpr double kMaxMarginMm = 10000.0;
double MarginMmOf(const std::string& text);

}  // namespace kx
