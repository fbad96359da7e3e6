// A table (a header row and rows of text or number cells) written as CSV for any reader and as
// an Excel workbook. CSV: UTF-8 with a byte-order mark (so that Excel opens Chinese text
// right), fields quoted where they must be, lines ending CRLF. XLSX: through libxlsxwriter, the
// header bold and frozen, column widths and number formats set. Both written atomically: on
// failure the target is untouched.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "record/status.h"

namespace kx {

struct TableColumn {
    std::string title;
    double width = 10;  // in characters of the sheet's default font
    int decimals = -1;  // number cells: decimals shown; -1: text column
};

struct TableCell {
    std::string text;              // what a text column, or CSV, shows
    std::optional<double> number;  // a number column's value; none: the cell is empty/text
};

struct Table {
    std::vector<TableColumn> columns;
    std::vector<std::vector<TableCell>> rows;  // each as many cells as columns (extra ignored)
};

// The CSV's bytes, BOM first.
std::string CsvText(const Table& table);
Status WriteCsv(const Table& table, const std::string& path);
Status WriteXlsx(const Table& table, const std::string& sheetName, const std::string& path);

}  // namespace kx
