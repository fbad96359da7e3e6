// The site as a whole: one row per pile of the project (桩号, 桩长, 波速, 缺陷位置, the recorded
// and the proposed class, the toe's confidence, saved or not), the piles that qualify for the
// site's wave speed, and the table written as CSV or XLSX.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/pile_analysis.h"
#include "analysis/proposed_class.h"
#include "analysis/site_wave_speed.h"
#include "record/pile_record.h"
#include "report/table_export.h"

namespace kx {

struct SiteSummaryRow {
    std::string file;  // the file's name in the project folder
    bool readable = true;
    std::string problem;  // why it is not readable
    std::string pile;     // 桩号
    double lengthM = 0;
    double speedMps = 0;
    double defectDepthM = 0;  // 0: no defect marker
    std::string recordedClass;
    ProposedClass proposed;
    std::optional<double> toeTimeUs;  // found by the analysis
    double toeConfidence = 0;
    // The pile-bottom marker, as two-way time from the pile top; none: not set (the record's
    // defaults, or not after the pile top).
    std::optional<double> markedToeUs;
    bool saved = true;
};

// A row from a record as the project loader leaves it and its analysis.
SiteSummaryRow SummarizePile(const std::string& file, const PileRecord& rec,
                             const PileAnalysis& analysis, const ClassThresholds& t = {});
// The row of a file that could not be read.
SiteSummaryRow UnreadablePile(const std::string& file, const std::string& problem);

// A pile counts for the site's wave speed when its class is I (recorded, and no worse
// proposed) and its toe is known: by the pile-bottom marker, or else by the analysis with a
// clear echo. The others are listed with the reason.
struct SpeedCandidates {
    std::vector<SpeedSample> samples;
    std::vector<std::pair<std::string, std::string>> leftOut;  // pile, reason
    // Per row: its sample's index, or its place in leftOut as -1 - k.
    std::vector<int> ofRow;
};
SpeedCandidates SpeedCandidatesOf(const std::vector<SiteSummaryRow>& rows,
                                  const ClassThresholds& t = {});

// Every pile's part in the site's wave speed: its speed 2L / t where a toe time is known, from
// the marker or the analysis, whether the mean used it, and why not.
struct SiteSpeedEntry {
    std::string file;
    std::string pile;
    std::optional<double> speedMps;
    std::string source;  // "marker", "analysis" or "" (no toe time)
    bool used = false;
    std::string why;  // empty when used
};
struct SiteSpeedReport {
    SiteWaveSpeed site;
    std::vector<SiteSpeedEntry> piles;  // one per row, in the rows' order
};
SiteSpeedReport SiteSpeedOf(const std::vector<SiteSummaryRow>& rows, const ClassThresholds& t = {});

// The summary table: its columns titled as 工程汇总 shows them.
Table SummaryTable(const std::vector<SiteSummaryRow>& rows);

}  // namespace kx
