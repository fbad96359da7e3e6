#include "report/word_handle.h"

#include <algorithm>
#include <filesystem>

#include "record/file_io.h"
#include "report/docx_writer.h"
#include "report/jpeg_size.h"

namespace kx {

namespace {

constexpr size_t kMaxPictureBytes = 64u << 20;
constexpr int64_t kEmuPerPixel = 9525;  // a pixel at 96 dpi

// The picture's size at 96 dpi, scaled down (never up) to fit the page's text area.
WordPicture FitPicture(PixelSize px, size_t mediaIndex) {
    const double maxW = static_cast<double>(kTextWidthTwips) * kEmuPerTwip;
    const double maxH = static_cast<double>(kTextHeightTwips) * kEmuPerTwip;
    const double w = static_cast<double>(px.width) * kEmuPerPixel;
    const double h = static_cast<double>(px.height) * kEmuPerPixel;
    const double scale = std::min({1.0, maxW / w, maxH / h});
    return {mediaIndex, static_cast<int64_t>(w * scale), static_cast<int64_t>(h * scale)};
}

}  // namespace

bool WordHandle::OpenNewDocument() {
    doc_ = WordDocument{};
    doc_.body.emplace_back(WordParagraph{});
    font_ = WordFont{};
    table_.reset();
    inCell_.reset();
    open_ = true;
    return true;
}

WordParagraph& WordHandle::EndParagraph() {
    // The body always ends with a paragraph: OpenNewDocument starts it with one and every
    // table is followed by one.
    return std::get<WordParagraph>(doc_.body.back());
}

WordTable* WordHandle::CurrentTable() {
    return table_ ? &std::get<WordTable>(doc_.body[*table_]) : nullptr;
}

Status WordHandle::CheckCell(int32_t row, int32_t column) {
    const WordTable* t = CurrentTable();
    if (t == nullptr) {
        return Status::Fail("no table to address");
    }
    if (!t->Contains(row, column)) {
        return Status::Fail("cell (" + std::to_string(row) + ", " + std::to_string(column) +
                            ") is outside the table of " + std::to_string(t->rows) + " rows");
    }
    return Status::Ok();
}

void WordHandle::GoToEndNewParagraph() {
    if (!open_) {
        return;
    }
    inCell_.reset();
    WordParagraph next;
    next.alignment = EndParagraph().alignment;
    doc_.body.emplace_back(std::move(next));
    table_.reset();
}

void WordHandle::SetParagraphAlignment(int32_t alignment) {
    if (!open_) {
        return;
    }
    if (inCell_) {
        CurrentTable()->At(inCell_->row, inCell_->column).alignment = alignment;
    } else {
        EndParagraph().alignment = alignment;
    }
}

void WordHandle::SetSelectionFont(const std::string& name, float sizePt) {
    if (!open_) {
        return;
    }
    if (inCell_) {
        CurrentTable()->At(inCell_->row, inCell_->column).font = {name, sizePt};
    } else {
        font_ = {name, sizePt};
    }
}

void WordHandle::TypeText(std::string_view text) {
    if (!open_) {
        return;
    }
    if (inCell_) {
        CurrentTable()->At(inCell_->row, inCell_->column).text += text;
        return;
    }
    WordRun run;
    run.text = std::string(text);
    run.font = font_;
    EndParagraph().runs.push_back(std::move(run));
}

void WordHandle::TypeReportTitle() {
    if (!open_) {
        return;
    }
    TypeText(kReportTitle);
    table_.reset();
}

bool WordHandle::CreateSummaryTable(int32_t rows) {
    if (!open_ || rows < 1) {
        return false;
    }
    inCell_.reset();
    const int32_t alignment = EndParagraph().alignment;
    WordTable t;
    t.rows = rows;
    t.columns = kSummaryColumns;
    t.cells.assign(static_cast<size_t>(rows) * kSummaryColumns, WordCell{{}, font_, alignment});
    // The table takes the place of an empty paragraph at the cursor; after a paragraph with
    // content it goes below it. Either way an empty paragraph follows it.
    if (EndParagraph().runs.empty()) {
        doc_.body.insert(doc_.body.end() - 1, std::move(t));
    } else {
        doc_.body.emplace_back(std::move(t));
        WordParagraph after;
        after.alignment = alignment;
        doc_.body.emplace_back(std::move(after));
    }
    table_ = doc_.body.size() - 2;
    return true;
}

void WordHandle::SetTableCellsFont(float sizePt) {
    WordTable* t = CurrentTable();
    if (t == nullptr) {
        return;
    }
    t->bottomPaddingPt = 10.0f;
    // Every row the table has, however many that is.
    for (int32_t r = 1; r <= t->rows; ++r) {
        for (int32_t c = 1; c <= t->columns; ++c) {
            SetCellFont(r, c, sizePt);
        }
    }
}

Status WordHandle::SetCellFont(int32_t row, int32_t column, float sizePt) {
    if (Status s = CheckCell(row, column); !s) {
        return s;
    }
    inCell_ = CellAddress{row, column};
    CurrentTable()->At(row, column).font = {"宋体", sizePt};
    return Status::Ok();
}

void WordHandle::CentreTableCells() {
    WordTable* t = CurrentTable();
    if (t == nullptr) {
        return;
    }
    for (WordCell& cell : t->cells) {
        cell.alignment = kAlignCentre;
        cell.verticallyCentred = true;
    }
    inCell_ = CellAddress{t->rows, t->columns};
}

void WordHandle::SetTableSpacing(float top, float bottom, float left, float right) {
    if (WordTable* t = CurrentTable()) {
        t->topPaddingPt = top;
        t->bottomPaddingPt = bottom;
        t->leftPaddingPt = left;
        t->rightPaddingPt = right;
    }
}

Status WordHandle::SetCellText(int32_t row, int32_t column, std::string_view text) {
    if (Status s = CheckCell(row, column); !s) {
        return s;
    }
    inCell_ = CellAddress{row, column};
    CurrentTable()->At(row, column).text = std::string(text);
    return Status::Ok();
}

void WordHandle::MoveBelowTable() {
    inCell_.reset();
}

Status WordHandle::InsertPicture(const std::string& path) {
    if (!open_) {
        return Status::Fail("no document");
    }
    // The reader fills a buffer of the size it is given: give it the file's own size.
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxPictureBytes) {
        return Status::Fail("picture larger than 64 MB");
    }
    std::vector<uint8_t> bytes;
    if (Status s = ReadFileBytes(path, ec ? kMaxPictureBytes : static_cast<size_t>(size), bytes);
        !s) {
        return s;
    }
    PixelSize px;
    if (Status s = ReadJpegSize(bytes, px); !s) {
        return s;
    }
    inCell_.reset();
    WordRun run;
    run.isPicture = true;
    run.picture = FitPicture(px, doc_.media.size());
    doc_.media.push_back(std::move(bytes));
    EndParagraph().runs.push_back(std::move(run));
    GoToEndNewParagraph();
    return Status::Ok();
}

Status WordHandle::SaveAs(const std::string& path) const {
    if (!open_) {
        return Status::Fail("no document");
    }
    return WriteDocx(doc_, path);
}

void WordHandle::SetTableLayout(std::vector<int32_t> columnTwips, bool repeatHeaderRow,
                                std::vector<int32_t> noWrapColumns) {
    if (WordTable* t = CurrentTable()) {
        t->columnTwips = std::move(columnTwips);
        t->repeatHeaderRow = repeatHeaderRow;
        t->noWrapColumns = std::move(noWrapColumns);
    }
}

}  // namespace kx
