#include "print/report_page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/report_pile.h"

namespace kx {
namespace {

constexpr ReportRect kPage{0, 0, 4800, 6800};  // the page the layout was designed on
constexpr ReportRect kA4{0, 0, 4771, 6826};    // A4 at 600 dpi inside 4-mm printer margins

// The report pile with a sine-like stacked waveform, its peak 1000 at sample 3.
PileRecord Pile(const char* number) {
    PileRecord r = test::ReportPile(number);
    for (int i = 0; i < 1024; ++i) {
        r.waves[kStackedSlot][i] = (i % 8) < 4 ? (i % 4) * 250 + 250 : -((i % 4) * 100);
    }
    r.waves[kStackedSlot][3] = 1000;
    return r;
}

struct Piles {
    std::vector<PileRecord> records;
    std::vector<const PileRecord*> pointers;
    explicit Piles(size_t n) {
        records.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            records.push_back(Pile(("P" + std::to_string(i + 1)).c_str()));
        }
        for (const PileRecord& r : records) {
            pointers.push_back(&r);
        }
    }
    ReportEntries Entries() const { return EntriesOf(pointers); }
};

const ReportText* FindText(const std::vector<ReportText>& texts, const std::string& prefix) {
    for (const ReportText& t : texts) {
        if (t.text.rfind(prefix, 0) == 0) {
            return &t;
        }
    }
    return nullptr;
}

TEST(ReportPageLayout, WorkedExampleOfTheDesignPage) {
    const Piles piles(10);
    const PrintSettings s;  // margins "20", 10 piles per page
    const ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, kPage);

    EXPECT_EQ(p.left, 200);
    EXPECT_EQ(p.right, 4600);
    EXPECT_EQ(p.blockHeight, 478.0f);
    EXPECT_EQ(p.plotWidth, 3300);
    EXPECT_EQ(p.titleRect, (ReportRect{200, 100, 4600, 300}));
    EXPECT_EQ(p.title, "低应变桩基完整性检测附图");
    ASSERT_EQ(p.blocks.size(), 10u);

    const ReportBlock& first = p.blocks[0];
    EXPECT_EQ(first.y, 300);
    EXPECT_EQ(first.y1, 500);
    EXPECT_EQ(first.y2, 778);
    EXPECT_EQ(first.yS, 586);
    EXPECT_EQ(p.blocks[9].y, 5322);
    EXPECT_EQ(p.blocks[9].y2, 5800);
    ASSERT_EQ(p.footer.size(), 1u);
    EXPECT_EQ(p.footer[0].at, (ReportPoint{2380, 6600}));
    EXPECT_EQ(p.footer[0].text, "第1页");

    // Header: site at L, pile number at R - 1800, date at R - 1000.
    ASSERT_EQ(first.header.size(), 3u);
    EXPECT_EQ(first.header[0].at, (ReportPoint{200, 300}));
    EXPECT_EQ(first.header[0].text, "工地:滨江工地");
    EXPECT_EQ(first.header[1].at, (ReportPoint{2800, 300}));
    EXPECT_EQ(first.header[1].text, "桩号:P1");
    EXPECT_EQ(first.header[2].at, (ReportPoint{3600, 300}));
    EXPECT_EQ(first.header[2].text, "测试日期:2023-05-17");

    // Frame, divider at L + Wp, plot edge at yS, bottom at y2.
    const std::vector<ReportLine> frame = {{{200, 500}, {4600, 500}},  {{200, 500}, {200, 778}},
                                           {{4600, 500}, {4600, 778}}, {{3500, 500}, {3500, 778}},
                                           {{200, 586}, {3500, 586}},  {{200, 778}, {4600, 778}}};
    EXPECT_EQ(first.frame, frame);

    // Zero line midway between y1 and y2 - 0.4 H = 586.8, ending at x = Wp; the waveform
    // starts on it and a sample at the peak reaches (586.8 - 300 - 200) / 2 above it.
    ASSERT_TRUE(first.zeroLine.has_value());
    EXPECT_EQ(*first.zeroLine, (ReportLine{{200, 543}, {3300, 543}}));
    ASSERT_EQ(first.wave.size(), 1025u);
    EXPECT_EQ(first.wave[0], (ReportPoint{200, 543}));
    EXPECT_EQ(first.wave[4], (ReportPoint{209, 500}));  // sample 3 = peak: 543.4 - 43.4
    EXPECT_EQ(first.wave[1024].x, 200 + 3296);          // 1023 × 3300 / 1024 = 3296.8

    // Markers at L + Wp × t / 20480 µs: bottom, top, defect.
    ASSERT_EQ(first.markers.size(), 3u);
    EXPECT_EQ(first.markers[0], (ReportLine{{1112, 500}, {1112, 778}}));  // 5663 µs
    EXPECT_EQ(first.markers[1], (ReportLine{{264, 500}, {264, 778}}));    // 400 µs
    EXPECT_EQ(first.markers[2], (ReportLine{{522, 500}, {522, 778}}));    // 2000 µs

    // Ruler: five ticks from the top line to the bottom line, labelled 0 to 5.26 ms.
    ASSERT_EQ(first.rulerTicks.size(), 5u);
    EXPECT_EQ(first.rulerTicks[0], (ReportLine{{264, 546}, {264, 586}}));
    EXPECT_NEAR(first.rulerTicks[4].from.x, 1112, 1);
    ASSERT_EQ(first.rulerLabels.size(), 6u);
    EXPECT_EQ(first.rulerLabels[0].text, "0.00");
    EXPECT_EQ(first.rulerLabels[0].at, (ReportPoint{184, 626}));
    EXPECT_EQ(first.rulerLabels[4].text, "5.26");
    EXPECT_EQ(first.rulerLabels[5].text, "ms");
    EXPECT_EQ(first.rulerLabels[5].at.x, first.rulerTicks[4].from.x + 170);

    // Bar from pile top to pile bottom, 0.15 H tall, 50 below the middle of the strip.
    ASSERT_TRUE(first.pileBar.has_value());
    EXPECT_EQ(*first.pileBar, (ReportRect{264, 696, 1112, 767}));  // yc = int(732.4), h = 35.85

    // Text column at L + Wp + 20 with length, speed and the defect depth.
    ASSERT_EQ(first.column.size(), 3u);
    EXPECT_EQ(first.column[0].text, "桩长(m):10.00");
    EXPECT_EQ(first.column[1].text, "波速(m/s):3800.00");
    EXPECT_EQ(first.column[2].text, "缺陷位置(m):3.04");
    for (const ReportText& t : first.column) {
        EXPECT_EQ(t.at.x, 3520);
    }
}

TEST(ReportPageLayout, PageCountsAndTheLastPartialPage) {
    PrintSettings s;
    EXPECT_EQ(ReportPageCount(s, 23), 3);
    EXPECT_EQ(ReportPageCount(s, 20), 2);
    EXPECT_EQ(ReportPageCount(s, 0), 0);
    s.pilesPerPage = "14";
    EXPECT_EQ(ReportPageCount(s, 23), 2);
    // Texts outside 1-14 (possible only from outside the dialog) are held to that range.
    s.pilesPerPage = "0";
    EXPECT_EQ(ReportPageCount(s, 23), 23);
    s.pilesPerPage = "99";
    EXPECT_EQ(ReportPageCount(s, 23), 2);

    s.pilesPerPage = "10";
    const Piles piles(23);
    const ReportPageLayout third = LayoutReportPage(s, piles.Entries(), 3, kPage);
    ASSERT_EQ(third.blocks.size(), 3u);
    EXPECT_EQ(third.blocks[0].entry, 20u);
    EXPECT_EQ(third.blocks[0].y, 300);
    EXPECT_EQ(third.blocks[2].header[1].text, "桩号:P23");
    EXPECT_EQ(third.footer[0].text, "第3页");

    // A page without blocks still has its title and footer.
    const ReportPageLayout fourth = LayoutReportPage(s, piles.Entries(), 4, kPage);
    EXPECT_TRUE(fourth.blocks.empty());
    EXPECT_EQ(fourth.footer[0].text, "第4页");
}

TEST(ReportPageLayout, OnlyTheEntriesOfThePageAreAskedFor) {
    const Piles piles(1000);
    std::vector<size_t> asked;
    const ReportEntries entries{1000, [&](size_t k) {
                                    asked.push_back(k);
                                    return piles.pointers[k];
                                }};
    LayoutReportPage(PrintSettings{}, entries, 57, kPage);
    std::vector<size_t> expected;
    for (size_t k = 560; k < 570; ++k) {
        expected.push_back(k);
    }
    EXPECT_EQ(asked, expected);
}

TEST(ReportPageLayout, Footers) {
    const Piles piles(1);
    PrintSettings s;
    s.startPage = 5;
    EXPECT_EQ(LayoutReportPage(s, piles.Entries(), 1, kPage).footer[0].text, "第5页");
    EXPECT_EQ(LayoutReportPage(s, piles.Entries(), 2, kPage).footer[0].text, "第6页");

    s.pageNumberFooter = false;
    ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, kPage);
    ASSERT_EQ(p.footer.size(), 2u);
    EXPECT_EQ(p.footer[0].text, "编写人:");  // empty names still show their labels
    EXPECT_EQ(p.footer[0].at, (ReportPoint{1200, 6600}));
    EXPECT_EQ(p.footer[1].text, "报告人:");
    EXPECT_EQ(p.footer[1].at, (ReportPoint{3600, 6600}));

    s.writer = "张工";
    s.reporter = "李工";
    p = LayoutReportPage(s, piles.Entries(), 1, ReportRect{0, 0, 4801, 6800});
    EXPECT_EQ(p.footer[0].text, "编写人:张工");
    EXPECT_EQ(p.footer[0].at.x, 1200);  // 4801 / 2 = 2400, an integer division
    EXPECT_EQ(p.footer[1].text, "报告人:李工");

    // The option: the page among all, both counted from the start page.
    const Piles many(23);
    s = PrintSettings{};
    s.pageOfTotal = true;
    s.startPage = 5;
    EXPECT_EQ(LayoutReportPage(s, many.Entries(), 1, kPage).footer[0].text, "第 5 页 / 共 7 页");
    EXPECT_EQ(LayoutReportPage(s, many.Entries(), 3, kPage).footer[0].text, "第 7 页 / 共 7 页");
    s.pageNumberFooter = false;  // the names footer has no page to count
    EXPECT_EQ(LayoutReportPage(s, many.Entries(), 1, kPage).footer[0].text, "编写人:");
}

TEST(ReportPageLayout, TheClassAndConclusionOptionAddsTwoLinesToTheColumn) {
    Piles piles(2);
    piles.records[1].integrityClass = "III";
    piles.records[1].defectTimeUs = 0.0f;  // no defect marker
    PrintSettings s;
    const ReportPageLayout plain = LayoutReportPage(s, piles.Entries(), 1, kA4);
    EXPECT_EQ(FindText(plain.blocks[0].column, "类别"), nullptr);
    s.classInBlock = true;
    const ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, kA4);
    const ReportBlock& b = p.blocks[1];
    ASSERT_EQ(b.column.size(), plain.blocks[1].column.size() + 2);
    EXPECT_EQ(b.column[b.column.size() - 2].text, "类别:III");
    // Without a defect marker the class speaks: never "intact" for class III.
    EXPECT_EQ(b.column.back().text, "桩身有明显缺陷");
    EXPECT_GT(b.column.back().at.y, b.column[b.column.size() - 2].at.y);
}

TEST(ReportPageLayout, HalfWaveDrawsTheFirstHalfAcrossTheFullWidth) {
    const Piles piles(1);
    PrintSettings s;
    const ReportBlock full = LayoutReportPage(s, piles.Entries(), 1, kPage).blocks[0];
    s.halfWave = true;
    const ReportBlock half = LayoutReportPage(s, piles.Entries(), 1, kPage).blocks[0];

    ASSERT_EQ(half.wave.size(), 513u);
    EXPECT_EQ(half.wave[512].x, 200 + 3293);  // 511 × 3300 / 512 = 3293.6
    // Sample j sits at twice its full-wave distance from L.
    EXPECT_EQ(half.wave[101].x - 200, (full.wave[201].x - 200));
    // The markers follow their samples: fractions of the halved duration.
    ASSERT_EQ(half.markers.size(), 3u);
    EXPECT_EQ(half.markers[1].from.x, 328);   // 400 µs of 10240 µs
    EXPECT_EQ(half.markers[0].from.x, 2024);  // 5663 µs
}

TEST(ReportPageLayout, EachShowFlagHidesItsPart) {
    const Piles piles(1);
    struct Case {
        const char* name;
        std::function<void(PrintSettings&)> hide;
        std::function<bool(const ReportBlock&)> shown;
    };
    const std::vector<Case> cases = {
        {"site", [](PrintSettings& s) { s.showSite = false; },
         [](const ReportBlock& b) { return FindText(b.header, "工地:") != nullptr; }},
        {"pile number", [](PrintSettings& s) { s.showPileNumber = false; },
         [](const ReportBlock& b) { return FindText(b.header, "桩号:") != nullptr; }},
        {"length", [](PrintSettings& s) { s.showPileLength = false; },
         [](const ReportBlock& b) { return FindText(b.column, "桩长(m):") != nullptr; }},
        {"speed", [](PrintSettings& s) { s.showWaveSpeed = false; },
         [](const ReportBlock& b) { return FindText(b.column, "波速(m/s):") != nullptr; }},
        {"defect", [](PrintSettings& s) { s.showDefect = false; },
         [](const ReportBlock& b) {
             return FindText(b.column, "缺陷位置(m):") != nullptr || b.markers.size() == 3;
         }},
        {"pile top", [](PrintSettings& s) { s.showPileTop = false; },
         [](const ReportBlock& b) {
             return std::any_of(b.markers.begin(), b.markers.end(),
                                [](const ReportLine& l) { return l.from.x == 264; });
         }},
        {"pile bottom", [](PrintSettings& s) { s.showPileBottom = false; },
         [](const ReportBlock& b) {
             return std::any_of(b.markers.begin(), b.markers.end(),
                                [](const ReportLine& l) { return l.from.x == 1112; });
         }},
        {"shape", [](PrintSettings& s) { s.showPileShape = false; },
         [](const ReportBlock& b) { return b.pileBar.has_value(); }},
        {"ruler", [](PrintSettings& s) { s.showRuler = false; },
         [](const ReportBlock& b) { return !b.rulerTicks.empty() || !b.rulerLabels.empty(); }},
    };
    const ReportBlock all = LayoutReportPage(PrintSettings{}, piles.Entries(), 1, kPage).blocks[0];
    const int32_t speedY = FindText(all.column, "波速(m/s):")->at.y;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.shown(all));
        PrintSettings s;
        c.hide(s);
        const ReportBlock b = LayoutReportPage(s, piles.Entries(), 1, kPage).blocks[0];
        EXPECT_FALSE(c.shown(b));
        // The test date is always there, and the other column lines keep their places.
        EXPECT_NE(FindText(b.header, "测试日期:"), nullptr);
        if (const ReportText* speed = FindText(b.column, "波速(m/s):")) {
            EXPECT_EQ(speed->at.y, speedY);
        }
    }
}

TEST(ReportPageLayout, BlocksWithoutSamplesTimeOrRecordDrawFrameAndTextsOnly) {
    PileRecord noSamples = Pile("A");
    noSamples.sampleCount = 0;
    PileRecord noInterval = Pile("B");
    noInterval.sampleIntervalUs = 0;
    PileRecord sameTimes = Pile("C");
    sameTimes.pileBottomTimeUs = sameTimes.pileTopTimeUs;
    PileRecord flat = Pile("D");
    flat.waves[kStackedSlot].fill(0);
    const std::vector<const PileRecord*> records = {&noSamples, &noInterval, &sameTimes, &flat,
                                                    nullptr};
    PrintSettings s;
    s.pilesPerPage = "5";
    const ReportPageLayout p = LayoutReportPage(s, EntriesOf(records), 1, kPage);
    ASSERT_EQ(p.blocks.size(), 5u);

    const ReportBlock& a = p.blocks[0];
    EXPECT_EQ(a.frame.size(), 6u);
    EXPECT_FALSE(a.zeroLine.has_value());
    EXPECT_TRUE(a.wave.empty());
    EXPECT_TRUE(a.markers.empty());
    EXPECT_TRUE(a.rulerTicks.empty());
    EXPECT_FALSE(a.pileBar.has_value());
    EXPECT_NE(FindText(a.column, "缺陷位置(m):3.04"), nullptr);  // the depth needs no samples

    const ReportBlock& b = p.blocks[1];  // a curve, but no duration to place markers on
    EXPECT_EQ(b.wave.size(), 1025u);
    EXPECT_TRUE(b.markers.empty());

    const ReportBlock& c = p.blocks[2];  // pile bottom on the pile top: no depth, no defect
    EXPECT_EQ(FindText(c.column, "缺陷位置"), nullptr);
    EXPECT_EQ(c.markers.size(), 2u);
    EXPECT_EQ(c.rulerLabels[4].text, "0.00");

    const ReportBlock& d = p.blocks[3];  // a flat waveform lies on its zero line
    for (const ReportPoint& pt : d.wave) {
        EXPECT_EQ(pt.y, d.zeroLine->from.y);
    }

    const ReportBlock& e = p.blocks[4];  // a record that could not be loaded
    EXPECT_EQ(e.frame.size(), 6u);
    EXPECT_TRUE(e.wave.empty());
    EXPECT_NE(FindText(e.header, "测试日期:"), nullptr);
    EXPECT_NE(FindText(e.column, "桩长(m):0.00"), nullptr);
}

// The text column used to run into the next block from 9 piles per page on: its lines now
// shrink with the frame, and no text of one block reaches into another's.
TEST(ReportPageLayout, TextsOfDifferentBlocksNeverOverlap) {
    const Piles piles(14);
    for (const bool withClass : {false, true})
        for (const ReportRect& page : {kPage, kA4}) {
            for (int n = 1; n <= 14; ++n) {
                SCOPED_TRACE("piles per page " + std::to_string(n) +
                             (withClass ? ", class shown" : ""));
                PrintSettings s;
                s.pilesPerPage = std::to_string(n);
                s.classInBlock = withClass;
                const ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, page);
                ASSERT_EQ(p.blocks.size(), static_cast<size_t>(n));
                struct Span {
                    int32_t top, bottom;
                };
                std::vector<std::vector<Span>> spans;
                for (const ReportBlock& b : p.blocks) {
                    std::vector<Span> own;
                    for (const auto* texts : {&b.header, &b.rulerLabels, &b.column}) {
                        for (const ReportText& t : *texts) {
                            own.push_back({t.at.y, t.at.y + t.height});
                        }
                    }
                    for (const ReportText& t : b.column) {
                        EXPECT_GE(t.at.y, b.y1);
                        EXPECT_LE(t.at.y + t.height, b.y2);
                    }
                    spans.push_back(own);
                }
                for (size_t i = 0; i < spans.size(); ++i) {
                    for (size_t j = i + 1; j < spans.size(); ++j) {
                        for (const Span& a : spans[i]) {
                            for (const Span& b : spans[j]) {
                                EXPECT_TRUE(a.bottom <= b.top || b.bottom <= a.top)
                                    << "blocks " << i << " and " << j;
                            }
                        }
                    }
                }
            }
        }
}

// From 12 per page on A4 the strip under the plot left it less room than the ruler's ticks,
// and from 13 none: the curve came out upside down above the frame. The plot now keeps the
// ticks' height, so at every count the curve is upright inside its frame.
TEST(ReportPageLayout, EveryPilesPerPageKeepsTheCurveUprightAndTheBlocksAboveTheFooter) {
    const Piles piles(14);
    for (const ReportRect& page : {kPage, kA4}) {
        for (int n = 1; n <= 14; ++n) {
            SCOPED_TRACE("piles per page " + std::to_string(n));
            PrintSettings s;
            s.pilesPerPage = std::to_string(n);
            const ReportBlock b = LayoutReportPage(s, piles.Entries(), 1, page).blocks[0];
            EXPECT_GE(b.yS - b.y1, kRulerTickHeight);
            const int32_t zero = b.zeroLine->from.y;
            EXPECT_LT(b.wave[4].y, zero);  // sample 3, the positive peak, above the zero line
            for (const ReportPoint& pt : b.wave) {
                EXPECT_GE(pt.y, b.y1 - 1);  // the peak may round a pixel past the frame
                EXPECT_LE(pt.y, b.yS);
            }
            for (const ReportLine& tick : b.rulerTicks) {
                EXPECT_GE(tick.from.y, b.y1);
            }
            // The labels' digits (the upper three quarters of their height) stay clear of
            // the pile bar drawn over them, also where the strip is lower than designed.
            for (const ReportText& label : b.rulerLabels) {
                EXPECT_LE(label.at.y + label.height * 3 / 4, b.pileBar->top);
            }
        }
    }
    // The blocks end above the footer, also the one block of a page of one (which used to
    // reach 100 pixels into the footer's line).
    for (const ReportRect& page : {kPage, kA4}) {
        for (int n = 1; n <= 14; ++n) {
            PrintSettings s;
            s.pilesPerPage = std::to_string(n);
            const ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, page);
            EXPECT_LE(p.blocks.back().y2, p.footer[0].at.y) << n;
        }
    }

    // Where the plot has room the design stands: 11 per page on A4.
    PrintSettings s;
    s.pilesPerPage = "11";
    const ReportPageLayout p = LayoutReportPage(s, piles.Entries(), 1, kA4);
    const ReportBlock& b = p.blocks[0];
    EXPECT_EQ(b.yS, static_cast<int32_t>(b.y2 - 0.4f * p.blockHeight));
}

TEST(ReportPageLayout, TextColumnKeepsItsDesignWhereItFits) {
    const Piles piles(8);
    PrintSettings s;
    s.pilesPerPage = "8";  // H = 642.5: the column fits
    const ReportBlock b = LayoutReportPage(s, piles.Entries(), 1, kPage).blocks[0];
    ASSERT_EQ(b.column.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b.column[i].at.y, b.y1 + kColumnLineOffsets[i]);
        EXPECT_EQ(b.column[i].height, kTextFontHeight);
    }
    s.pilesPerPage = "10";  // 278 pixels of frame for 367 of column
    const ReportBlock c = LayoutReportPage(s, piles.Entries(), 1, kPage).blocks[0];
    EXPECT_EQ(c.column[0].height, 81);
    EXPECT_EQ(c.column[2].at.y, c.y1 + 196);
}

TEST(ReportCover, TheFileReadsBackAndTheCoverShowsEveryField) {
    ReportHeader h;
    h.projectName = "滨江花园二期";
    h.client = "滨江置业\n有限公司";  // a line break cannot split the file's line
    h.basis = "JGJ 106-2014";
    h.tester = "王工";
    const ReportHeader back = ParseReportHeader(ReportHeaderText(h));
    EXPECT_EQ(back.projectName, "滨江花园二期");
    EXPECT_EQ(back.client, "滨江置业 有限公司");
    EXPECT_EQ(back.tester, "王工");
    EXPECT_EQ(ParseReportHeader("垃圾\r\n检测依据=A=B\r\n未知=1\n").basis, "A=B");

    PrintSettings s;
    s.cover = back;
    const ReportPageLayout p = LayoutReportCover(s, kA4);
    EXPECT_EQ(p.title, s.title);
    EXPECT_TRUE(p.blocks.empty());
    ASSERT_EQ(p.body.size(), 7u);
    EXPECT_EQ(p.body[0].text, "工程名称：滨江花园二期");
    EXPECT_EQ(p.body[6].text, "批准：");
    for (const ReportText& t : p.body) {
        EXPECT_GE(t.at.x, p.left);
        EXPECT_LT(t.at.y + t.height, kA4.bottom);
    }
}

}  // namespace
}  // namespace kx
