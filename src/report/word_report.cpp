#include "report/word_report.h"

#include <cstdio>

#include "record/gbk.h"
#include "waveform/pile_markers.h"

namespace kx {

namespace {

std::string Format(const char* format, double value) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// The cover's fields a paragraph each, then the three signatures on one line.
void TypeCover(WordHandle& h, const ReportHeader& cover) {
    h.SetParagraphAlignment(kAlignLeft);
    h.SetSelectionFont("宋体", 12.0f);
    for (size_t i = 0; i < 4; ++i) {
        const ReportHeaderField& f = kReportHeaderFields[i];
        h.TypeText(std::string(f.label) + "：" + cover.*f.value);
        h.GoToEndNewParagraph();
    }
    std::string signatures;
    for (size_t i = 4; i < 7; ++i) {
        const ReportHeaderField& f = kReportHeaderFields[i];
        signatures += (i > 4 ? "        " : "") + std::string(f.label) + "：" + cover.*f.value;
    }
    h.TypeText(signatures);
    h.GoToEndNewParagraph();
}

// The title paragraph, then the paragraph the table will take the place of.
void TypeTitle(WordHandle& h) {
    h.GoToEndNewParagraph();
    h.SetParagraphAlignment(kAlignCentre);
    h.SetSelectionFont("黑体", 18.0f);
    h.TypeReportTitle();
    h.GoToEndNewParagraph();
    h.GoToEndNewParagraph();
    h.SetSelectionFont("宋体", 10.0f);
    h.SetParagraphAlignment(kAlignRight);
}

Status FillRow(WordHandle& h, int32_t row, const std::array<std::string, kSummaryColumns>& texts) {
    for (int32_t col = 1; col <= kSummaryColumns; ++col) {
        if (Status s = h.SetCellText(row, col, texts[static_cast<size_t>(col - 1)]); !s) {
            return s;
        }
    }
    return Status::Ok();
}

// With the option, the table's text is 10.5 points and its columns are as wide as a pile's
// numbers and date need on one line (the digits of the Chinese faces are about 0.7 em wide, plus
// 4-point cell margins: "3700.00" needs 1,190 twips); what is left goes to the description.
constexpr float kFittedTableFontPt = 10.5f;
constexpr std::array<int32_t, kSummaryColumns> kSummaryColumnTwips = {
    520, 700, 700, 880, 1200, kTextWidthTwips - 6840, 560, 640, 1640};

Status FillSummaryTable(WordHandle& h, const std::vector<const PileRecord*>& entries,
                        const WordReportOptions& options) {
    if (!h.CreateSummaryTable(static_cast<int32_t>(entries.size()) + 1)) {
        return Status::Fail("cannot create the summary table");
    }
    if (options.pageNumbers) {
        h.SetTableLayout({kSummaryColumnTwips.begin(), kSummaryColumnTwips.end()}, true,
                         {1, 3, 4, 5, 7, 9});
        h.SetPageNumberFooter(true);
    }
    h.SetTableCellsFont(options.pageNumbers ? kFittedTableFontPt : 12.0f);
    h.CentreTableCells();
    h.SetTableSpacing(4.0f, 4.0f, 4.0f, 4.0f);
    std::array<std::string, kSummaryColumns> header;
    for (size_t c = 0; c < header.size(); ++c) {
        header[c] = kSummaryHeader[c];
    }
    if (Status s = FillRow(h, 1, header); !s) {
        return s;
    }
    for (size_t k = 0; k < entries.size(); ++k) {
        std::array<std::string, kSummaryColumns> texts;
        if (entries[k] != nullptr) {
            texts = SummaryRowTexts(k, *entries[k], DefectDepth(*entries[k], 0));
        } else {
            texts[0] = std::to_string(k + 1);
        }
        if (Status s = FillRow(h, static_cast<int32_t>(k) + 2, texts); !s) {
            return s;
        }
    }
    h.MoveBelowTable();
    return Status::Ok();
}

}  // namespace

const std::array<const char*, kSummaryColumns> kSummaryHeader = {
    "序号", "桩号",   "桩径(mm)", "桩长(m)", "波速(m/s)", "桩身结构完整性描述",
    "类别", "砼强度", "检测日期"};

std::array<std::string, kSummaryColumns> SummaryRowTexts(size_t k, const PileRecord& rec,
                                                         float depth) {
    return {std::to_string(k + 1),
            GbkToUtf8Lossy(rec.pileNumber),
            GbkToUtf8Lossy(rec.pileDiameter),
            Format("%.2f", rec.pileLength),
            Format("%.2f", rec.waveSpeed),
            DefectDescription(depth, GbkToUtf8Lossy(rec.integrityClass)),
            GbkToUtf8Lossy(rec.integrityClass),
            GbkToUtf8Lossy(rec.concreteStrength),
            GbkToUtf8Lossy(rec.testDate)};
}

int32_t WordFigureCount(size_t entries, int32_t pilesPerPage) {
    if (entries == 0 || pilesPerPage < 1) {
        return 0;
    }
    const size_t n = static_cast<size_t>(pilesPerPage);
    return static_cast<int32_t>((entries + n - 1) / n);
}

std::string WordFigureName(int32_t number) {
    return std::to_string(number) + ".jpg";
}

std::vector<std::string> WordFigurePaths(const std::string& dir, int32_t count) {
    std::vector<std::string> paths;
    for (int32_t w = 1; w <= count; ++w) {
        paths.push_back(dir + "/" + WordFigureName(w));
    }
    return paths;
}

Status BuildWordReport(WordHandle& h, const std::vector<const PileRecord*>& entries,
                       const std::vector<std::string>& pictures, const WordReportOptions& options) {
    if (options.cover != nullptr) {
        TypeCover(h, *options.cover);
    }
    TypeTitle(h);
    if (Status s = FillSummaryTable(h, entries, options); !s) {
        return s;
    }
    for (const std::string& path : pictures) {
        if (Status s = h.InsertPicture(path); !s) {
            return Status::Fail(path + ": " + s.reason);
        }
    }
    return Status::Ok();
}

Status WriteWordReport(const std::vector<const PileRecord*>& entries,
                       const std::vector<std::string>& pictures, const std::string& outPath,
                       const WordReportOptions& options) {
    WordHandle h;
    h.Start();
    h.OpenNewDocument();
    if (Status s = BuildWordReport(h, entries, pictures, options); !s) {
        return s;
    }
    return h.SaveAs(outPath);
}

}  // namespace kx
