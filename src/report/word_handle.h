// The Word writer of the report: the operations the report export drives, on a document kept
// in memory and written as a .docx file. Like typing in Word, the operations act at a cursor:
// the end of the document, or a table cell once one is addressed.
//
// Texts are UTF-8. Cells are addressed from 1, as Word addresses them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/status.h"
#include "report/word_document.h"

namespace kx {

inline constexpr const char* kReportTitle = "低应变检测结果汇总表";
inline constexpr int32_t kSummaryColumns = 9;

class WordHandle {
public:
    // There is no external program to start: the writer is always there.
    bool Start() { return true; }
    // A new empty document (one empty paragraph), the cursor at its start.
    bool OpenNewDocument();

    // Cursor to the end of the document, then a new paragraph there, which keeps the
    // alignment of the one before it (as Enter does in Word).
    void GoToEndNewParagraph();
    // Alignment of the paragraph at the cursor, in Word's codes (1 centred, 2 right).
    void SetParagraphAlignment(int32_t alignment);
    // The font of the text typed next at the cursor.
    void SetSelectionFont(const std::string& name, float sizePt);
    void TypeText(std::string_view text);
    // "低应变检测结果汇总表" at the cursor.
    void TypeReportTitle();

    // A table of rows x 9 cells at the cursor, its cells in the font and alignment in force;
    // an empty paragraph follows it. False for rows < 1 or without a document.
    bool CreateSummaryTable(int32_t rows);
    // Every cell of the table in 宋体 of the given size (and a bottom cell margin of 10 pt).
    void SetTableCellsFont(float sizePt);
    // One cell's text in 宋体 of the given size.
    Status SetCellFont(int32_t row, int32_t column, float sizePt);
    // Every cell of the table centred, horizontally and vertically.
    void CentreTableCells();
    // The table's cell margins in points.
    void SetTableSpacing(float top, float bottom, float left, float right);
    // The text of one cell, replacing what it held.
    Status SetCellText(int32_t row, int32_t column, std::string_view text);
    // Cursor out of the table, onto the paragraph below it.
    void MoveBelowTable();
    // The table's column widths (twips, one per column), its first row repeated on every
    // page, and the columns (from 1) whose text below the first row never breaks.
    void SetTableLayout(std::vector<int32_t> columnTwips, bool repeatHeaderRow,
                        std::vector<int32_t> noWrapColumns);
    // "第 n 页" in the page footer.
    void SetPageNumberFooter(bool on) { doc_.pageNumberFooter = on; }

    // Embeds the JPEG file at the cursor, scaled down to fit the page's text area, then
    // starts a new paragraph at the end of the document (GoToEndNewParagraph).
    Status InsertPicture(const std::string& path);

    // Writes the document as .docx (in place of showing it in Word).
    Status SaveAs(const std::string& path) const;

    const WordDocument& Document() const { return doc_; }

private:
    struct CellAddress {
        int32_t row;
        int32_t column;
    };

    WordParagraph& EndParagraph();
    WordTable* CurrentTable();
    Status CheckCell(int32_t row, int32_t column);

    bool open_ = false;
    WordDocument doc_;
    WordFont font_;                      // the font of text typed next in a paragraph
    std::optional<size_t> table_;        // body index of the table last created
    std::optional<CellAddress> inCell_;  // the cursor's cell, when it is in the table
};

}  // namespace kx
