// The layout of the Word figures: blocks per figure, block geometry, texts, and the guards
// for records without samples, without time between the markers, or not read at all.
#include "report/word_figure_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/word_report.h"
#include "support/report_pile.h"

namespace kx {
namespace {

// The report pile with a square stacked waveform.
PileRecord Pile(int k) {
    PileRecord r = test::ReportPile("P" + std::to_string(k));
    for (int i = 0; i < 1024; ++i) {
        r.waves[kStackedSlot][i] = (i % 8) < 4 ? 1000 : -500;
    }
    return r;
}

struct Piles {
    std::vector<PileRecord> records;
    std::vector<const PileRecord*> pointers;
    explicit Piles(int n) {
        for (int i = 0; i < n; ++i) {
            records.push_back(Pile(i + 1));
        }
        for (const PileRecord& r : records) {
            pointers.push_back(&r);
        }
    }
};

PrintSettings PerPage(int n) {
    PrintSettings s;
    s.pilesPerPage = std::to_string(n);
    return s;
}

bool HasText(const std::vector<ReportText>& texts, const std::string& text) {
    for (const ReportText& t : texts) {
        if (t.text == text) {
            return true;
        }
    }
    return false;
}

TEST(WordFigureLayout, BlocksPerFigureAndTheTitleOnTheFirstOnly) {
    const Piles piles(23);
    const ReportEntries entries = EntriesOf(piles.pointers);
    const PrintSettings s = PerPage(10);
    ASSERT_EQ(WordFigureCount(23, PilesPerPageOf(s)), 3);
    const size_t expected[] = {10, 10, 3, 0};
    for (int number = 1; number <= 4; ++number) {
        const WordFigureLayout f = LayoutWordFigure(s, entries, number);
        EXPECT_EQ(f.blocks.size(), expected[number - 1]) << number;
        EXPECT_EQ(f.title.has_value(), number == 1) << number;
        if (!f.blocks.empty()) {
            EXPECT_EQ(f.blocks[0].entry, static_cast<size_t>((number - 1) * 10));
        }
    }
    EXPECT_EQ(*LayoutWordFigure(s, entries, 1).title, "低应变桩基完整性检测附图");
}

TEST(WordFigureLayout, BlockGeometry) {
    const Piles piles(14);
    const WordFigureLayout f = LayoutWordFigure(PerPage(14), EntriesOf(piles.pointers), 1);
    EXPECT_EQ(f.blockHeight, 72);  // (1290 - 280) / 14
    EXPECT_EQ(f.plotWidth, 580);   // canvas 830: XR = 810, Wp = XR - 230
    const ReportBlock& first = f.blocks[0];
    EXPECT_EQ(first.y, 50);
    EXPECT_EQ(first.y1, 90);
    EXPECT_EQ(first.y2, 122);
    EXPECT_EQ(first.yS, 100);  // int(122 - 0.3 × 72)
    EXPECT_EQ(f.blocks[1].y, 142);
    EXPECT_EQ(f.blocks[1].y2, 214);
    // Frame: top, plot bottom, divider, bottom, left, right.
    EXPECT_EQ(first.frame[0], (ReportLine{{20, 90}, {810, 90}}));
    EXPECT_EQ(first.frame[1], (ReportLine{{20, 100}, {600, 100}}));
    EXPECT_EQ(first.frame[2], (ReportLine{{600, 90}, {600, 122}}));
    EXPECT_EQ(first.frame[3], (ReportLine{{20, 122}, {810, 122}}));
    // Pile top at 400 of 20480 µs: x = int(0.01953125 × 580 + 20) = 31.
    EXPECT_EQ(first.markers[1], (ReportLine{{31, 90}, {31, 122}}));
    EXPECT_EQ(first.wave.size(), 1025u);
    EXPECT_EQ(first.zeroLine->to.x, 580);
    // Every block of every figure stays on the canvas.
    for (int n = 1; n <= 14; ++n) {
        const WordFigureLayout g = LayoutWordFigure(PerPage(n), EntriesOf(piles.pointers), 1);
        EXPECT_LE(g.blocks.back().y2, kFigureCanvasHeight) << n;
    }
}

// From 12 blocks per figure the defect line ran into the next block's header: the column now
// shrinks with its frame, and no text of one block reaches into another's.
TEST(WordFigureLayout, TextsOfDifferentBlocksNeverOverlap) {
    const Piles piles(14);
    for (int n = 1; n <= 14; ++n) {
        SCOPED_TRACE("blocks per figure " + std::to_string(n));
        const WordFigureLayout f = LayoutWordFigure(PerPage(n), EntriesOf(piles.pointers), 1);
        ASSERT_EQ(f.blocks.size(), static_cast<size_t>(n));
        struct Span {
            int32_t top, bottom;
        };
        std::vector<std::vector<Span>> spans;
        for (const ReportBlock& b : f.blocks) {
            std::vector<Span> own;
            for (const auto* texts : {&b.header, &b.rulerLabels, &b.column}) {
                for (const ReportText& t : *texts) {
                    own.push_back({t.at.y, t.at.y + t.height});
                }
            }
            ASSERT_EQ(b.column.size(), 3u);
            for (const ReportText& t : b.column) {
                EXPECT_GE(t.at.y, b.y1);
                EXPECT_LE(t.at.y + t.height, b.y2);
            }
            spans.push_back(own);
        }
        for (size_t i = 0; i + 1 < spans.size(); ++i) {
            for (const Span& a : spans[i]) {
                for (const Span& b : spans[i + 1]) {
                    EXPECT_TRUE(a.bottom <= b.top || b.bottom <= a.top) << "block " << i;
                }
            }
        }
    }
    // Where the column fits it keeps its design: 10 per figure.
    const ReportBlock b = LayoutWordFigure(PerPage(10), EntriesOf(piles.pointers), 1).blocks[0];
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b.column[i].at.y, b.y1 + kFigureColumnLineOffsets[i]);
        EXPECT_EQ(b.column[i].height, kFigureFontHeight);
    }
}

TEST(WordFigureLayout, TextsFollowTheSettings) {
    const Piles piles(1);
    PrintSettings s = PerPage(10);
    WordFigureLayout f = LayoutWordFigure(s, EntriesOf(piles.pointers), 1);
    const ReportBlock& b = f.blocks[0];
    EXPECT_TRUE(HasText(b.header, "工地:滨江工地"));
    EXPECT_TRUE(HasText(b.header, "桩号:P1"));
    EXPECT_TRUE(HasText(b.header, "测试日期:2023-05-17"));
    EXPECT_TRUE(HasText(b.column, "桩长(m):10.00"));
    EXPECT_TRUE(HasText(b.column, "缺陷(m):3.04"));
    EXPECT_EQ(b.markers.size(), 3u);
    EXPECT_EQ(b.rulerLabels.back().text, "ms");

    s.showSite = s.showPileNumber = s.showDefect = s.showRuler = s.showPileShape = false;
    s.halfWave = true;  // no part in the figures
    f = LayoutWordFigure(s, EntriesOf(piles.pointers), 1);
    const ReportBlock& hidden = f.blocks[0];
    EXPECT_EQ(hidden.header.size(), 1u);
    EXPECT_FALSE(HasText(hidden.column, "缺陷(m):3.04"));
    EXPECT_EQ(hidden.markers.size(), 2u);
    EXPECT_TRUE(hidden.rulerTicks.empty());
    EXPECT_FALSE(hidden.pileBar.has_value());
    EXPECT_EQ(hidden.wave.size(), 1025u);
}

TEST(WordFigureLayout, RecordsWithoutSamplesOrMarkerTimeOrNotReadKeepTheirFrame) {
    std::vector<PileRecord> odd = {Pile(1), Pile(2), Pile(3)};
    odd[0].sampleCount = 0;
    odd[1].pileBottomTimeUs = odd[1].pileTopTimeUs;  // no time between the markers
    odd[2].sampleIntervalUs = 0;
    const std::vector<const PileRecord*> entries = {&odd[0], &odd[1], &odd[2], nullptr};
    const WordFigureLayout f = LayoutWordFigure(PerPage(10), EntriesOf(entries), 1);
    ASSERT_EQ(f.blocks.size(), 4u);
    for (const ReportBlock& b : f.blocks) {
        EXPECT_EQ(b.frame.size(), 6u);
    }
    // The depth comes from the marker times alone; it needs time between top and bottom.
    EXPECT_TRUE(HasText(f.blocks[0].column, "缺陷(m):3.04"));
    EXPECT_EQ(f.blocks[1].column.size(), 2u);
    EXPECT_TRUE(f.blocks[0].wave.empty());
    EXPECT_TRUE(f.blocks[0].markers.empty());
    EXPECT_EQ(f.blocks[1].markers.size(), 2u);  // top and bottom on one line, no defect
    EXPECT_TRUE(f.blocks[2].markers.empty());
    EXPECT_TRUE(f.blocks[3].wave.empty());
    EXPECT_TRUE(HasText(f.blocks[3].header, "测试日期:"));
}

}  // namespace
}  // namespace kx
