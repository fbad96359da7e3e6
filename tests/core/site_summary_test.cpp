// The site as a whole: its mean wave speed, the class a trace suggests, and the summary table
// as CSV and XLSX (read back by Python in tests/check-site-summary.sh).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "analysis/pile_analysis.h"
#include "analysis/proposed_class.h"
#include "analysis/site_wave_speed.h"
#include "record/file_io.h"
#include "record/gbk.h"
#include "support/kxtool_runner.h"
#include "workspace/site_summary.h"

namespace kx {
namespace {

// A pile of `length` m whose toe echo came back as at `speed` m/s.
SpeedSample At(const char* pile, double length, double speed) {
    return {pile, length, 2e6 * length / speed};
}

TEST(SiteWaveSpeed, MeanOfFivePilesOrMoreEachWithinFivePercent) {
    const SiteWaveSpeed site =
        ComputeSiteWaveSpeed({At("1#", 10, 3800), At("2#", 12, 3900), At("3#", 15, 4000),
                              At("4#", 9, 3700), At("5#", 20, 3850)});
    ASSERT_TRUE(site.meanMps);
    EXPECT_NEAR(*site.meanMps, 3850.0, 1e-9);
    ASSERT_EQ(site.piles.size(), 5u);
    EXPECT_NEAR(site.piles[2].speedMps, 4000.0, 1e-9);
    for (const SiteSpeedPile& p : site.piles) {
        EXPECT_EQ(p.droppedAs, 0) << p.pile;
    }
}

TEST(SiteWaveSpeed, OutliersAreDroppedOneByOneTheFarthestFirst) {
    // 3,300 is farthest from the first mean (3,757); once it is gone 4,100 is the one outside.
    const SiteWaveSpeed site = ComputeSiteWaveSpeed(
        {At("1#", 10, 3800), At("2#", 10, 3300), At("3#", 10, 3750), At("4#", 10, 4100),
         At("5#", 10, 3700), At("6#", 10, 3800), At("7#", 10, 3850)});
    ASSERT_TRUE(site.meanMps) << site.refusal;
    EXPECT_NEAR(*site.meanMps, (3800 + 3750 + 3700 + 3800 + 3850) / 5.0, 1e-9);
    EXPECT_EQ(site.piles[1].droppedAs, 1);
    EXPECT_EQ(site.piles[3].droppedAs, 2);
}

TEST(SiteWaveSpeed, RefusedWithTheReasonWhenTooFewPilesQualify) {
    struct Case {
        const char* what;
        std::vector<SpeedSample> samples;
        const char* reason;
    } cases[] = {
        {"four piles",
         {At("1#", 10, 3800), At("2#", 10, 3800), At("3#", 10, 3800), At("4#", 10, 3800)},
         "符合条件的桩只有 4 根，至少需要 5 根完整、桩底反射清晰的桩"},
        {"five, one an outlier",
         {At("1#", 10, 3800), At("2#", 10, 3800), At("3#", 10, 3800), At("4#", 10, 3800),
          At("5#", 10, 4500)},
         "符合条件的桩只有 4 根（已去掉 1 根偏离平均值的桩），至少需要 5 根完整、桩底反射清晰的桩"},
        {"no time or no length",
         {At("1#", 10, 3800),
          At("2#", 10, 3800),
          At("3#", 10, 3800),
          At("4#", 10, 3800),
          {"5#", 0, 5000},
          {"6#", 10, 0}},
         "符合条件的桩只有 4 根，至少需要 5 根完整、桩底反射清晰的桩"},
        {"none", {}, "符合条件的桩只有 0 根，至少需要 5 根完整、桩底反射清晰的桩"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SiteWaveSpeed site = ComputeSiteWaveSpeed(c.samples);
        EXPECT_FALSE(site.meanMps);
        EXPECT_EQ(site.refusal, c.reason);
    }
}

TEST(SiteWaveSpeed, HistogramBinsFromTheSlowestToTheFastest) {
    const SpeedHistogram h = HistogramOfSpeeds({3850, 3920, 3999.9, 4000, 4230, NAN, -1}, 100);
    EXPECT_EQ(h.firstMps, 3800.0);
    EXPECT_EQ(h.counts, (std::vector<int>{1, 2, 1, 0, 1}));  // 4,000 opens its bin
    EXPECT_TRUE(HistogramOfSpeeds({}, 100).counts.empty());
}

PileDefect Defect(double depth, DefectKind kind, std::optional<double> ratio) {
    PileDefect d;
    d.depthM = depth;
    d.kind = kind;
    d.ratio = ratio;
    return d;
}

TEST(ProposeClass, TheTableOfTheTraceFindings) {
    const auto necking = DefectKind::kNecking;
    const auto bulge = DefectKind::kBulge;
    struct Case {
        std::optional<double> toeUs;
        double confidence;
        std::vector<PileDefect> defects;
        int grade;
        const char* reason;
    } cases[] = {
        {6000, 0.9, {}, 1, "未见缺陷反射，桩底反射清晰"},
        {6000, 0.3, {}, 2, "未见缺陷反射，桩底反射不清晰"},
        {std::nullopt, 0, {}, 2, "未见缺陷反射，未见桩底反射"},
        {6000, 0.9, {Defect(6, bulge, 1.4)}, 1, "6.00 m 处扩径，阻抗比 1.40，桩底反射清晰"},
        {6000, 0.9, {Defect(3.2, necking, 0.85)}, 2, "3.20 m 处缩径，阻抗比 0.85，桩底反射清晰"},
        {6000, 0.9, {Defect(4.51, necking, 0.68)}, 3, "4.51 m 处缩径，阻抗比 0.68，桩底反射清晰"},
        {std::nullopt,
         0,
         {Defect(7, necking, 0.25)},
         4,
         "7.00 m 处缩径，阻抗比 0.25，未见桩底反射"},
        {6000,
         0.9,
         {Defect(0.8, necking, std::nullopt)},
         3,
         "0.80 m 处缩径（浅部，阻抗比无法确定），桩底反射清晰"},
        // The worst first; more than two are counted.
        {6000,
         0.7,
         {Defect(4, bulge, 1.3), Defect(10, necking, 0.7), Defect(12, necking, 0.5)},
         4,
         "12.00 m 处缩径，阻抗比 0.50；10.00 m 处缩径，阻抗比 0.70等 3 处，桩底反射清晰"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        PileAnalysis a;
        a.toe.timeUs = c.toeUs;
        a.toe.confidence = c.confidence;
        a.defects = c.defects;
        a.impedance.values = {1.0};
        const ProposedClass p = ProposeClass(a);
        EXPECT_EQ(p.grade, c.grade);
        EXPECT_EQ(p.reason, c.reason);
    }
    // A shallow necking ringing on and on with no toe to be seen is severe, whatever its ratio.
    PileAnalysis ringing;
    ringing.defects = {Defect(1.2, necking, 0.75)};
    ringing.impedance.values = {1.0};
    ringing.periodicEchoes = 3;
    EXPECT_EQ(ProposeClass(ringing).grade, 4);
    EXPECT_EQ(ProposeClass(ringing).reason,
              "1.20 m 处缩径，阻抗比 0.75，多次反射（4 次），未见桩底反射");
    ringing.toe.timeUs = 6000;
    ringing.toe.confidence = 0.9;  // the toe seen through it: the necking's own class
    EXPECT_EQ(ProposeClass(ringing).grade, 3);
    EXPECT_EQ(ProposeClass(PileAnalysis{}).grade, 0);  // no blow: nothing to judge
    EXPECT_EQ(ClassName(3), "III");
    EXPECT_EQ(ClassName(0), "");
}

SiteSummaryRow Row(const char* pile, double length, std::optional<double> marked,
                   std::optional<double> toe, double confidence, const char* recorded,
                   int proposed) {
    SiteSummaryRow r;
    r.file = std::string(pile) + ".kxc";
    r.pile = pile;
    r.lengthM = length;
    r.markedToeUs = marked;
    r.toeTimeUs = toe;
    r.toeConfidence = confidence;
    r.recordedClass = recorded;
    r.proposed.grade = proposed;
    return r;
}

TEST(PileAnalysis, RepeatsOfANeckingsEchoInARow) {
    EchoScan scan;
    scan.ok = true;
    scan.intervalUs = 20;
    scan.width = 10;  // a rise of 200 µs
    const auto at = [](double t, double amp) {
        Arrival a;
        a.timeUs = t;
        a.amplitude = amp;
        return a;
    };
    scan.arrivals = {at(1000, 0.5), at(2050, 0.3), at(2980, 0.2), at(4100, -0.1), at(5000, 0.1)};
    EXPECT_EQ(RepeatsOf(scan, 1000, 1.0), 2);  // 2,000 and 3,000; 4,000 has the other sign
    EXPECT_EQ(RepeatsOf(scan, 1000, -1.0), 0);
    EXPECT_EQ(RepeatsOf(scan, 150, 1.0), 0);  // inside the rise: no period to speak of
}

TEST(SiteSummary, WhichPilesCountForTheSiteSpeed) {
    const SpeedCandidates c = SpeedCandidatesOf({
        Row("1#", 10, 5000, 5100, 0.9, "I", 1),          // the marker wins
        Row("2#", 12, std::nullopt, 6000, 0.8, "I", 1),  // a clear found toe
        Row("3#", 12, std::nullopt, 6000, 0.3, "I", 1),  // a weak one
        Row("4#", 12, 6000, 6000, 0.9, "III", 1),        // recorded III
        Row("5#", 12, 6000, 6000, 0.9, "I", 3),          // proposed III
        Row("6#", 0, 6000, 6000, 0.9, "I", 1),           // no length
        UnreadablePile("7.kxc", "not a kxc file"),
    });
    ASSERT_EQ(c.samples.size(), 2u);
    EXPECT_EQ(c.samples[0].pile, "1#");
    EXPECT_EQ(c.samples[0].toeTimeUs, 5000.0);
    EXPECT_EQ(c.samples[1].toeTimeUs, 6000.0);
    const std::vector<std::pair<std::string, std::string>> leftOut = {{"3#", "桩底反射不清晰"},
                                                                      {"4#", "完整性类别为 III"},
                                                                      {"5#", "建议类别为 III"},
                                                                      {"6#", "没有桩长"},
                                                                      {"7.kxc", "无法读取"}};
    EXPECT_EQ(c.leftOut, leftOut);
}

TEST(SiteSummary, ARowFromARecordInUtf8WithItsMarkedToe) {
    PileRecord rec;
    ASSERT_TRUE(Utf8ToGbk("东区3号", rec.pileNumber));
    rec.pileLength = 12;
    rec.waveSpeed = 3800;
    PileAnalysis a;
    a.impedance.values = {1.0};
    SiteSummaryRow row = SummarizePile("3.kxc", rec, a);
    EXPECT_EQ(row.pile, "东区3号");
    EXPECT_FALSE(row.markedToeUs);  // the markers a record has before anyone places one
    rec.pileTopTimeUs = 400;
    rec.pileBottomTimeUs = 6716;
    row = SummarizePile("3.kxc", rec, a);
    ASSERT_TRUE(row.markedToeUs);
    EXPECT_EQ(*row.markedToeUs, 6316.0);
    rec.pileBottomTimeUs = 300;  // before the pile top: not a toe
    EXPECT_FALSE(SummarizePile("3.kxc", rec, a).markedToeUs);
}

TEST(SiteSummary, EveryPilesPartInTheSiteSpeed) {
    std::vector<SiteSummaryRow> rows;
    const double speeds[] = {3800, 3900, 4000, 3850, 3950, 3500};
    for (int k = 0; k < 6; ++k) {
        const std::string name = std::to_string(k + 1) + "#";
        rows.push_back(Row(name.c_str(), 10, 2e7 / speeds[k], std::nullopt, 0, "I", 1));
    }
    rows.push_back(Row("7#", 10, std::nullopt, 2e7 / 3900, 0.9, "I", 1));  // found, clear
    rows.push_back(Row("8#", 10, std::nullopt, 2e7 / 3900, 0.9, "III", 3));
    rows.push_back(Row("9#", 10, std::nullopt, std::nullopt, 0, "I", 2));
    const SiteSpeedReport r = SiteSpeedOf(rows);
    ASSERT_TRUE(r.site.meanMps);
    EXPECT_NEAR(*r.site.meanMps, 3900, 1e-6);
    ASSERT_EQ(r.piles.size(), rows.size());
    EXPECT_EQ(r.piles[0].source, "marker");
    EXPECT_TRUE(r.piles[0].used);
    EXPECT_FALSE(r.piles[5].used);
    EXPECT_EQ(r.piles[5].why, "偏离平均值超过 5%（第 1 个去掉）");
    EXPECT_EQ(r.piles[6].source, "analysis");
    EXPECT_TRUE(r.piles[6].used);
    EXPECT_NEAR(*r.piles[7].speedMps, 3900, 1e-6);  // shown, not used
    EXPECT_EQ(r.piles[7].why, "完整性类别为 III");
    EXPECT_FALSE(r.piles[8].speedMps);
    EXPECT_EQ(r.piles[8].source, "");
}

TEST(SiteSummary, CsvHasTheBomQuotesWhereNeededAndCrlf) {
    Table t;
    t.columns = {{"桩号", 8, -1}, {"波速(m/s)", 10, 2}, {"理由", 20, -1}};
    t.rows = {{{"1#", {}}, {"3800.00", 3800.0}, {"4.51 m 处缩径，阻抗比 0.68", {}}},
              {{"a,b", {}}, {"", {}}, {"say \"x\"\nnext", {}}}};
    EXPECT_EQ(CsvText(t),
              "\xEF\xBB\xBF桩号,波速(m/s),理由\r\n"
              "1#,3800.00,4.51 m 处缩径，阻抗比 0.68\r\n"
              "\"a,b\",,\"say \"\"x\"\"\nnext\"\r\n");
}

TEST(SiteSummary, FailedWritesLeaveNothingBehind) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "kx-summary-missing" / "sub";
    Table t;
    t.columns = {{"桩号", 8, -1}};
    EXPECT_FALSE(WriteCsv(t, (dir / "s.csv").string()));
    EXPECT_FALSE(WriteXlsx(t, "汇总", (dir / "s.xlsx").string()));
    EXPECT_FALSE(std::filesystem::exists(dir));
}

TEST(KxtoolSummary, AnUnreadableFileKeepsItsRowAndTheOthersAreDone) {
    for (const char* n : {"1", "2"}) {
        ASSERT_EQ(test::Kxtool({"synth", "--length", "10", "--pile", std::string(n) + "#", "-o",
                                std::string(n) + ".kxd"})
                      .status,
                  0);
        ASSERT_EQ(
            test::Kxtool({"convert", std::string(n) + ".kxd", std::string(n) + ".kxc"}).status, 0);
    }
    std::ofstream("bad.kxc") << "not a pile";
    const auto r = test::Kxtool({"summary", "1.kxc", "bad.kxc", "2.kxc", "--csv", "s.csv"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("bad.kxc"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());  // a file given, no JSON asked for
    std::vector<uint8_t> csv;
    ASSERT_TRUE(ReadFileBytes("s.csv", 1 << 20, csv));
    const std::string text(csv.begin(), csv.end());
    EXPECT_NE(text.find("\r\n1.kxc,1#,10.00,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nbad.kxc,,,,,,,无法读取："), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n2.kxc,2#,"), std::string::npos) << text;

    // Two piles are too few for a site speed: refused with the reason, the piles listed.
    const auto speed = test::Kxtool({"site-speed", "1.kxc", "2.kxc", "--loaded"});
    ASSERT_EQ(speed.status, 0) << speed.err;
    const nlohmann::json j = nlohmann::json::parse(speed.out);
    EXPECT_TRUE(j["meanSpeed"].is_null());
    EXPECT_NE(j["reason"].get<std::string>().find("只有 2 根"), std::string::npos);
    ASSERT_EQ(j["piles"].size(), 2u);
    EXPECT_EQ(j["piles"][0]["path"], "1.kxc");
    EXPECT_EQ(j["piles"][0]["source"], "marker");  // the generator sets the markers
    EXPECT_NEAR(j["piles"][0]["speed"].get<double>(), 3800, 40);
    EXPECT_EQ(j["piles"][0]["used"], false);

    const auto table = test::Kxtool({"summary", "1.kxc", "bad.kxc", "--json"});
    EXPECT_EQ(table.status, 2);
    const nlohmann::json rows = nlohmann::json::parse(table.out);
    ASSERT_EQ(rows.size(), 2u);
    std::vector<std::string> keys;
    for (const auto& item : rows[0].items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"defectDepth", "integrityClass", "path", "pileLength",
                                              "pileNumber", "proposedClass", "proposedReason",
                                              "toeConfidence", "waveSpeed"}));
    EXPECT_EQ(rows[1]["path"], "bad.kxc");
    EXPECT_TRUE(rows[1].contains("error"));
}

}  // namespace
}  // namespace kx
