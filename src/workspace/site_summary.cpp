#include "workspace/site_summary.h"

#include <cmath>
#include <cstdio>

#include "record/gbk.h"
#include "waveform/pile_markers.h"

namespace kx {

namespace {

// The marker times a record has before anyone places a marker.
constexpr int32_t kUnsetTopUs = PileRecord{}.pileTopTimeUs;
constexpr int32_t kUnsetBottomUs = PileRecord{}.pileBottomTimeUs;

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

TableCell Number(double v, int decimals) {
    return {Fixed(v, decimals), v};
}

}  // namespace

SiteSummaryRow SummarizePile(const std::string& file, const PileRecord& rec,
                             const PileAnalysis& analysis, const ClassThresholds& t) {
    SiteSummaryRow row;
    row.file = file;
    row.pile = GbkToUtf8Lossy(rec.pileNumber);  // the record keeps its texts in GBK
    row.lengthM = std::isfinite(rec.pileLength) ? rec.pileLength : 0.0;
    row.speedMps = std::isfinite(rec.waveSpeed) ? rec.waveSpeed : 0.0;
    row.defectDepthM = DefectDepth(rec, 0);
    row.recordedClass = GbkToUtf8Lossy(rec.integrityClass);
    row.proposed = ProposeClass(analysis, t);
    row.toeTimeUs = analysis.toe.timeUs;
    row.toeConfidence = analysis.toe.confidence;
    const bool unset = rec.pileTopTimeUs == kUnsetTopUs && rec.pileBottomTimeUs == kUnsetBottomUs;
    if (!unset && rec.pileBottomTimeUs > rec.pileTopTimeUs) {
        row.markedToeUs = static_cast<double>(rec.pileBottomTimeUs) - rec.pileTopTimeUs;
    }
    return row;
}

SiteSummaryRow UnreadablePile(const std::string& file, const std::string& problem) {
    SiteSummaryRow row;
    row.file = file;
    row.readable = false;
    row.problem = problem;
    return row;
}

SpeedCandidates SpeedCandidatesOf(const std::vector<SiteSummaryRow>& rows,
                                  const ClassThresholds& t) {
    SpeedCandidates c;
    for (const SiteSummaryRow& r : rows) {
        const std::string name = r.pile.empty() ? r.file : r.pile;
        if (!r.readable) {
            c.leftOut.emplace_back(name, "无法读取");
        } else if (r.recordedClass != "I") {
            c.leftOut.emplace_back(name, "完整性类别为 " + r.recordedClass);
        } else if (r.proposed.grade > 1) {
            c.leftOut.emplace_back(name, "建议类别为 " + ClassName(r.proposed.grade));
        } else if (!(r.lengthM > 0)) {
            c.leftOut.emplace_back(name, "没有桩长");
        } else if (r.markedToeUs) {
            c.samples.push_back({name, r.lengthM, *r.markedToeUs});
        } else if (r.toeTimeUs && r.toeConfidence >= t.sureToe) {
            c.samples.push_back({name, r.lengthM, *r.toeTimeUs});
        } else {
            c.leftOut.emplace_back(name, "桩底反射不清晰");
        }
    }
    return c;
}

Table SummaryTable(const std::vector<SiteSummaryRow>& rows) {
    Table table;
    table.columns = {{"文件", 10, -1},     {"桩号", 10, -1},       {"桩长(m)", 9, 2},
                     {"波速(m/s)", 11, 2}, {"缺陷位置(m)", 12, 2}, {"完整性类别", 11, -1},
                     {"建议类别", 9, -1},  {"建议理由", 48, -1},   {"桩底可信度", 11, 2},
                     {"已保存", 7, -1}};
    for (const SiteSummaryRow& r : rows) {
        std::vector<TableCell> cells(table.columns.size());
        cells[0].text = r.file;
        if (!r.readable) {
            cells[7].text = "无法读取：" + r.problem;
            table.rows.push_back(std::move(cells));
            continue;
        }
        cells[1].text = r.pile;
        cells[2] = Number(r.lengthM, 2);
        cells[3] = Number(r.speedMps, 2);
        if (r.defectDepthM > 0) {
            cells[4] = Number(r.defectDepthM, 2);
        }
        cells[5].text = r.recordedClass;
        cells[6].text = ClassName(r.proposed.grade);
        cells[7].text = r.proposed.reason;
        cells[8] = Number(r.toeConfidence, 2);
        cells[9].text = r.saved ? "是" : "否";
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace kx
