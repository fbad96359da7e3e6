// The content of a Word document as the Word writer builds it: paragraphs of text runs and
// pictures, and tables of text cells, in body order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kx {

// The page: A4 portrait with Word's usual Chinese-locale margins, in twentieths of a point.
inline constexpr int32_t kPageWidthTwips = 11906;
inline constexpr int32_t kPageHeightTwips = 16838;
inline constexpr int32_t kPageMarginTopBottomTwips = 1440;  // 2.54 cm
inline constexpr int32_t kPageMarginLeftRightTwips = 1800;  // 3.17 cm
inline constexpr int32_t kTextWidthTwips = kPageWidthTwips - 2 * kPageMarginLeftRightTwips;
inline constexpr int32_t kTextHeightTwips = kPageHeightTwips - 2 * kPageMarginTopBottomTwips;
inline constexpr int64_t kEmuPerTwip = 635;

// Word's paragraph alignment codes.
enum WordAlignment : int32_t {
    kAlignLeft = 0,
    kAlignCentre = 1,
    kAlignRight = 2,
    kAlignJustify = 3
};

struct WordFont {
    std::string name = "宋体";  // also the East-Asian face, so CJK text takes it
    float sizePt = 10.5f;
    bool operator==(const WordFont&) const = default;
};

struct WordPicture {
    size_t mediaIndex = 0;  // into WordDocument::media
    int64_t widthEmu = 0;   // shown size in English Metric Units (914400 per inch)
    int64_t heightEmu = 0;
};

// A run of text in one font, or an inline picture (then `text` is empty).
struct WordRun {
    std::string text;  // UTF-8
    WordFont font;
    bool isPicture = false;
    WordPicture picture;
};

struct WordParagraph {
    int32_t alignment = kAlignLeft;
    std::vector<WordRun> runs;
};

struct WordCell {
    std::string text;  // UTF-8
    WordFont font;
    int32_t alignment = kAlignLeft;
    bool verticallyCentred = false;
};

struct WordTable {
    int32_t rows = 0;
    int32_t columns = 0;
    std::vector<WordCell> cells;  // row-major
    // Cell margins in points: top, bottom, left, right (Word's defaults until set).
    float topPaddingPt = 0.0f;
    float bottomPaddingPt = 0.0f;
    float leftPaddingPt = 5.4f;
    float rightPaddingPt = 5.4f;

    // Cells are addressed from 1, as Word addresses them; the caller checks the range.
    WordCell& At(int32_t row, int32_t column) {
        return cells[static_cast<size_t>((row - 1) * columns + (column - 1))];
    }
    const WordCell& At(int32_t row, int32_t column) const {
        return cells[static_cast<size_t>((row - 1) * columns + (column - 1))];
    }
    // Column widths in twips; empty: equal columns across the text width.
    std::vector<int32_t> columnTwips;
    // The first row repeats at the top of every page the table runs onto.
    bool repeatHeaderRow = false;
    // Columns (from 1) whose cells below the first row never break their text.
    std::vector<int32_t> noWrapColumns;

    bool Contains(int32_t row, int32_t column) const {
        return row >= 1 && row <= rows && column >= 1 && column <= columns;
    }
};

using WordBlock = std::variant<WordParagraph, WordTable>;

struct WordDocument {
    std::vector<WordBlock> body;
    // "第 n 页" centred in the page footer.
    bool pageNumberFooter = false;
    std::vector<std::vector<uint8_t>> media;  // embedded JPEG pictures, in insertion order
};

}  // namespace kx
