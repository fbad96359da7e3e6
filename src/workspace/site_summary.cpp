#include "workspace/site_summary.h"

#include <cmath>
#include <cstdio>

#include "record/gbk.h"
#include "waveform/pile_markers.h"

namespace kx {

namespace {

// The marker times a record has before anyone places a marker.
const int32_t kUnsetTopUs = PileRecord{}.pileTopTimeUs;
const int32_t kUnsetBottomUs = PileRecord{}.pileBottomTimeUs;

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
        std::string why;
        if (!r.readable) {
            why = "无法读取";
        } else if (r.recordedClass != "I") {
            why = "完整性类别为 " + r.recordedClass;
        } else if (r.proposed.grade > 1) {
            why = "建议类别为 " + ClassName(r.proposed.grade);
        } else if (!(r.lengthM > 0)) {
            why = "没有桩长";
        } else if (r.markedToeUs) {
            c.samples.push_back({name, r.lengthM, *r.markedToeUs});
        } else if (r.toeTimeUs && *r.toeTimeUs > 0 && r.toeConfidence >= t.sureToe) {
            c.samples.push_back({name, r.lengthM, *r.toeTimeUs});
        } else {
            why = "桩底反射不清晰";
        }
        if (why.empty()) {
            c.ofRow.push_back(static_cast<int>(c.samples.size()) - 1);
        } else {
            c.leftOut.emplace_back(name, why);
            c.ofRow.push_back(-static_cast<int>(c.leftOut.size()));
        }
    }
    return c;
}

SiteSpeedReport SiteSpeedOf(const std::vector<SiteSummaryRow>& rows, const ClassThresholds& t) {
    SiteSpeedReport report;
    const SpeedCandidates candidates = SpeedCandidatesOf(rows, t);
    report.site = ComputeSiteWaveSpeed(candidates.samples);
    for (size_t i = 0; i < rows.size(); ++i) {
        const SiteSummaryRow& r = rows[i];
        SiteSpeedEntry e;
        e.file = r.file;
        e.pile = r.pile.empty() ? r.file : r.pile;
        std::optional<double> toeUs;
        if (r.markedToeUs) {
            toeUs = r.markedToeUs;
            e.source = "marker";
        } else if (r.toeTimeUs && *r.toeTimeUs > 0) {
            toeUs = r.toeTimeUs;
            e.source = "analysis";
        }
        if (toeUs && r.lengthM > 0) {
            e.speedMps = 2e6 * r.lengthM / *toeUs;
        }
        const int k = candidates.ofRow[i];
        if (k < 0) {
            e.why = candidates.leftOut[static_cast<size_t>(-1 - k)].second;
        } else if (static_cast<size_t>(k) < report.site.piles.size()) {
            // Every sample has a positive length and time: the site keeps them all, in order.
            const SiteSpeedPile& p = report.site.piles[static_cast<size_t>(k)];
            e.used = report.site.meanMps && p.droppedAs == 0;
            if (p.droppedAs > 0) {
                e.why = "偏离平均值超过 5%（第 " + std::to_string(p.droppedAs) + " 个去掉）";
            } else if (!report.site.meanMps) {
                e.why = "符合条件的桩不足 5 根";
            }
        }
        report.piles.push_back(std::move(e));
    }
    return report;
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
