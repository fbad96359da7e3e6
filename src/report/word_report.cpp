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

Status FillSummaryTable(WordHandle& h, const std::vector<const PileRecord*>& entries) {
    if (!h.CreateSummaryTable(static_cast<int32_t>(entries.size()) + 1)) {
        return Status::Fail("cannot create the summary table");
    }
    h.SetTableCellsFont(12.0f);
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

std::string DefectDescription(float depth, std::string_view integrityClass) {
    if (depth > 0) {
        return Format("距桩顶%.2f米左右有缺陷", depth);
    }
    // A class III or IV pile is never described as intact.
    if (integrityClass == "III") {
        return "桩身有明显缺陷";
    }
    if (integrityClass == "IV") {
        return "桩身存在严重缺陷";
    }
    return "桩身质量完整";
}

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
                       const std::vector<std::string>& pictures) {
    TypeTitle(h);
    if (Status s = FillSummaryTable(h, entries); !s) {
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
                       const std::vector<std::string>& pictures, const std::string& outPath) {
    WordHandle h;
    h.Start();
    h.OpenNewDocument();
    if (Status s = BuildWordReport(h, entries, pictures); !s) {
        return s;
    }
    return h.SaveAs(outPath);
}

}  // namespace kx
