#include "print/report_page_layout.h"

#include <algorithm>
#include <cstdlib>

#include "print/conclusion_text.h"
#include "record/gbk.h"
#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/pile_markers.h"

namespace kx {

namespace {

// Pixels become integers by truncation. Values are held well inside int32 first, so that a
// record with absurd marker times cannot overflow the small offsets added to them.
int32_t Px(double v) {
    constexpr double kLimit = 1e9;
    return TruncToInt32(std::clamp(v, -kLimit, kLimit));
}

// The page geometry shared by every block of a page.
struct PageGeometry {
    int32_t L = 0;
    int32_t R = 0;
    int32_t Wp = 0;
    float H = 0;
};

std::string Utf8(const std::string& gbk) {
    return GbkToUtf8Lossy(gbk);
}

// x of a line at fraction f of the plot width: int(L + Wp × f), in float.
int32_t PlotX(const PageGeometry& g, float f) {
    return Px(F32(static_cast<double>(g.L) + F32(static_cast<double>(g.Wp) * f)));
}

void LayoutWave(const PageGeometry& g, const PileRecord& rec, int n, float plotBottom,
                ReportBlock& b) {
    const int32_t* samples = rec.waves[kStackedSlot].data();
    const float dx = F32(static_cast<double>(g.Wp) / n);
    int64_t peak = 0;
    for (int j = 0; j < n; ++j) {
        peak = std::max<int64_t>(peak, std::llabs(static_cast<int64_t>(samples[j])));
    }
    // The zero line sits midway between the frame top and the unrounded plot bottom.
    const float yb = F32(static_cast<double>(plotBottom) -
                         static_cast<double>(F32(static_cast<double>(plotBottom) - b.y1)) * 0.5);
    // It ends at x = Wp, not L + Wp: the page has always been drawn so.
    b.zeroLine = ReportLine{{g.L, Px(yb)}, {g.Wp, Px(yb)}};
    // A flat waveform has no scale; it is drawn on the zero line.
    const float k =
        peak == 0
            ? 0.0f
            : F32(static_cast<double>(F32(F32(static_cast<double>(plotBottom) - b.y) - 200.0)) *
                  0.5 / static_cast<double>(peak));
    b.wave.reserve(static_cast<size_t>(n) + 1);
    b.wave.push_back({g.L, Px(yb)});
    for (int j = 0; j < n; ++j) {
        const float x = F32(static_cast<double>(F32(j * static_cast<double>(dx))) + g.L);
        const float dy = F32(static_cast<double>(F32(samples[j])) * k);
        b.wave.push_back({Px(x), Px(F32(static_cast<double>(yb) - dy))});
    }
}

// `labelScale` shrinks the labels with a strip under the plot lower than designed (1 where the
// design fits), so that they stay clear of the pile bar below them.
void LayoutRuler(const PageGeometry& g, const PileRecord& rec, float ft, float fb,
                 double labelScale, ReportBlock& b) {
    const double x0 = F32(static_cast<double>(g.Wp) * ft);
    const float topX = F32(static_cast<double>(g.L) + F32(static_cast<double>(g.Wp) * ft));
    const float bottomX = F32(static_cast<double>(g.L) + F32(static_cast<double>(g.Wp) * fb));
    const float step = F32(0.25 * static_cast<double>(F32(static_cast<double>(bottomX) - topX)));
    const float labelStep =
        F32(static_cast<double>(int64_t{rec.pileBottomTimeUs} - rec.pileTopTimeUs) * 0.25 / 1000.0);
    const int32_t yA = b.yS;
    int32_t o = 0;
    float a = 0;
    int32_t x = 0;
    auto scaled = [labelScale](int32_t v) { return Px(v * labelScale); };
    const int32_t labelY = yA + scaled(40);
    const int32_t height = std::max(1, scaled(kRulerFontHeight));
    for (int tick = 0; tick < 5; ++tick) {
        x = Px(x0 + g.L + o);
        b.rulerTicks.push_back({{x, yA - kRulerTickHeight}, {x, yA}});
        b.rulerLabels.push_back({{x - scaled(80), labelY}, FormatFixed2(a), height});
        o = Px(F32(static_cast<double>(step) + o));
        a = F32(static_cast<double>(a) + labelStep);
    }
    b.rulerLabels.push_back({{x + scaled(170), labelY}, "ms", height});
}

// The text column keeps its designed lines (40, 150, 260 below the frame top, text font) when
// they fit in the frame. In a lower frame (from 9 piles per page on an A4 page) they would run
// into the next block, so lines and font shrink together until the last line ends at the
// frame's bottom.
void LayoutColumn(const PrintSettings& s, const PageGeometry& g, const PileRecord& rec, float depth,
                  ReportBlock& b) {
    const int32_t avail = b.y2 - b.y1;
    // The class and the conclusion, when asked for, are two more lines at the same spacing.
    const int32_t nominal = s.classInBlock ? kColumnNominalHeight + 2 * 110 : kColumnNominalHeight;
    double scale = 1.0;
    if (avail < nominal) {
        scale = std::max(0, avail) / static_cast<double>(nominal);
    }
    const int32_t height = std::max(1, Px(kTextFontHeight * scale));
    const int32_t x = g.L + g.Wp + 20;
    auto lineY = [&](int line) { return b.y1 + Px(kColumnLineOffsets[line] * scale); };
    if (s.showPileLength) {
        b.column.push_back({{x, lineY(0)}, "桩长(m):" + FormatFixed2(rec.pileLength), height});
    }
    if (s.showWaveSpeed) {
        b.column.push_back({{x, lineY(1)}, "波速(m/s):" + FormatFixed2(rec.waveSpeed), height});
    }
    if (s.showDefect && depth > 0) {
        b.column.push_back({{x, lineY(2)}, "缺陷位置(m):" + FormatFixed2(depth), height});
    }
    if (s.classInBlock) {
        const std::string cls = Utf8(rec.integrityClass);
        const int32_t below = Px((kColumnLineOffsets[2] + 110) * scale);
        b.column.push_back({{x, b.y1 + below}, "类别:" + cls, height});
        b.column.push_back(
            {{x, b.y1 + below + Px(110 * scale)}, DefectDescription(depth, cls), height});
    }
}

ReportBlock LayoutBlock(const PrintSettings& s, const PageGeometry& g, const PileRecord& rec,
                        size_t entry, int32_t y) {
    ReportBlock b;
    b.entry = entry;
    b.y = y;
    const int32_t L = g.L;
    const int32_t R = g.R;
    const int32_t Wp = g.Wp;

    if (s.showSite) {
        b.header.push_back({{L, y}, "工地:" + Utf8(rec.site), kTextFontHeight});
    }
    if (s.showPileNumber) {
        b.header.push_back({{R - 1800, y}, "桩号:" + Utf8(rec.pileNumber), kTextFontHeight});
    }
    b.header.push_back({{R - 1000, y}, "测试日期:" + Utf8(rec.testDate), kTextFontHeight});

    b.y1 = y + 200;
    b.y2 = Px(F32(static_cast<double>(y) + g.H));
    const float sH = F32(0.4 * g.H);
    const float h = F32(static_cast<double>(g.H) * 0.15 * 0.5);
    float plotBottom = F32(static_cast<double>(b.y2) - sH);  // y2 - s, unrounded
    // From 12 piles per page on an A4 page the strip under the plot would leave the plot less
    // height than the ruler's ticks, and from 13 none at all: the curve would be drawn
    // upside down above the frame. The plot keeps the ticks' height below the frame's top,
    // and the ruler's labels shrink with the strip left below it.
    double labelScale = 1.0;
    if (plotBottom < static_cast<float>(b.y1 + kRulerTickHeight)) {
        plotBottom = static_cast<float>(b.y1 + kRulerTickHeight);
        labelScale = std::max(0.0, (b.y2 - static_cast<double>(plotBottom)) / sH);
    }
    b.yS = Px(plotBottom);
    b.frame = {{{L, b.y1}, {R, b.y1}},      {{L, b.y1}, {L, b.y2}},
               {{R, b.y1}, {R, b.y2}},      {{L + Wp, b.y1}, {L + Wp, b.y2}},
               {{L, b.yS}, {L + Wp, b.yS}}, {{L, b.y2}, {R, b.y2}}};

    int n = rec.SampleCount();
    if (s.halfWave) {
        n /= 2;
    }
    if (n > 0) {
        LayoutWave(g, rec, n, plotBottom, b);
    }

    // The depth of the defect does not depend on the window's size, so the window and kxtool
    // print the same pages.
    const float depth = DefectDepth(rec, 0);
    // Marker lines, ruler and bar are placed against the drawn duration; without one there is
    // nothing to place them on.
    const int64_t drawnUs = int64_t{rec.sampleIntervalUs} * n;
    if (drawnUs > 0) {
        const float tw = F32(static_cast<double>(drawnUs));
        const float ft = F32(static_cast<double>(F32(rec.pileTopTimeUs)) / tw);
        const float fb = F32(static_cast<double>(F32(rec.pileBottomTimeUs)) / tw);
        if (s.showPileBottom) {
            const int32_t x = PlotX(g, fb);
            b.markers.push_back({{x, b.y1}, {x, b.y2}});
        }
        if (s.showPileTop) {
            const int32_t x = PlotX(g, ft);
            b.markers.push_back({{x, b.y1}, {x, b.y2}});
        }
        if (s.showDefect && depth > 0) {
            const int32_t x = PlotX(g, F32(static_cast<double>(rec.defectTimeUs) / tw));
            b.markers.push_back({{x, b.y1}, {x, b.y2}});
        }
        if (s.showRuler) {
            LayoutRuler(g, rec, ft, fb, labelScale, b);
        }
        if (s.showPileShape) {
            const int32_t yc =
                Px(static_cast<double>(plotBottom) +
                   static_cast<double>(F32(b.y2 - static_cast<double>(plotBottom))) * 0.5 + 50.0);
            b.pileBar = ReportRect{PlotX(g, ft), Px(F32(yc - static_cast<double>(h))), PlotX(g, fb),
                                   Px(F32(yc + static_cast<double>(h)))};
        }
    }
    LayoutColumn(s, g, rec, depth, b);
    return b;
}

}  // namespace

ReportEntries EntriesOf(const std::vector<const PileRecord*>& records) {
    return {records.size(), [&records](size_t k) { return records[k]; }};
}

int ReportPageCount(const PrintSettings& s, size_t entryCount) {
    const size_t n = static_cast<size_t>(PilesPerPageOf(s));
    return static_cast<int>(std::min<size_t>((entryCount + n - 1) / n, INT32_MAX));
}

ReportPageLayout LayoutReportPage(const PrintSettings& s, const ReportEntries& entries, int page,
                                  const ReportRect& d) {
    ReportPageLayout p;
    const float lm = F32(10.0 * MarginMmOf(s.leftMarginMm));
    const float rm = F32(10.0 * MarginMmOf(s.rightMarginMm));
    PageGeometry g;
    g.L = Px(F32(static_cast<double>(d.left) + lm));
    g.R = Px(F32(static_cast<double>(d.right) - rm));
    p.left = g.L;
    p.right = g.R;
    p.titleRect = {g.L, 100, g.R, 300};
    p.title = s.title;

    const int N = PilesPerPageOf(s);
    p.pilesPerPage = N;
    const float usable = F32(static_cast<double>(int64_t{d.bottom} - 300));
    g.H = F32(static_cast<double>(F32(static_cast<double>(F32(usable - (80.0 * N - 80.0))) / N)) -
              100.0);
    // With one pile per page the block would reach 100 pixels down into the footer's line;
    // the blocks end at its top (from two per page on they always do).
    const float toFooter = F32(static_cast<double>(F32(usable - 200.0f - (80.0 * N - 80.0))) / N);
    g.H = std::min(g.H, toFooter);
    // Wp is measured from D.right, not from the margin-adjusted R.
    g.Wp = Px(F32(
        static_cast<double>(F32(static_cast<double>(F32(d.right - static_cast<double>(rm))) - lm)) -
        1100.0));
    p.blockHeight = g.H;
    p.plotWidth = g.Wp;

    // Entries (page - 1) × N ... page × N - 1 fall on this page; every page starts at y = 300.
    static const PileRecord kNoRecord{};
    if (page >= 1 && entries.record) {
        const size_t first = static_cast<size_t>(page - 1) * static_cast<size_t>(N);
        const size_t end = std::min(entries.count, first + static_cast<size_t>(N));
        int32_t y = 300;
        for (size_t i = first; i < end; ++i) {
            const PileRecord* rec = entries.record(i);
            p.blocks.push_back(LayoutBlock(s, g, rec != nullptr ? *rec : kNoRecord, i, y));
            y = p.blocks.back().y2 + 80;
        }
    }

    const int32_t footerY = Px(static_cast<double>(d.bottom) - 200);
    const int32_t middle = d.right / 2;
    if (s.pageNumberFooter && s.pageOfTotal) {
        const int64_t number = int64_t{page} + s.startPage - 1;
        const int64_t total = int64_t{ReportPageCount(s, entries.count)} + s.startPage - 1;
        p.footer.push_back(
            {{middle - 400, footerY},
             "第 " + std::to_string(number) + " 页 / 共 " + std::to_string(total) + " 页",
             kTextFontHeight});
    } else if (s.pageNumberFooter) {
        const int64_t number = int64_t{page} + s.startPage - 1;
        p.footer.push_back(
            {{middle - 20, footerY}, "第" + std::to_string(number) + "页", kTextFontHeight});
    } else {
        p.footer.push_back({{middle - 1200, footerY}, "编写人:" + s.writer, kTextFontHeight});
        p.footer.push_back({{middle + 1200, footerY}, "报告人:" + s.reporter, kTextFontHeight});
    }
    return p;
}

ReportPageLayout LayoutReportCover(const PrintSettings& s, const ReportRect& d) {
    ReportPageLayout p;
    const float lm = F32(10.0 * MarginMmOf(s.leftMarginMm));
    const float rm = F32(10.0 * MarginMmOf(s.rightMarginMm));
    p.left = Px(F32(static_cast<double>(d.left) + lm));
    p.right = Px(F32(static_cast<double>(d.right) - rm));
    p.titleRect = {p.left, 100, p.right, 300};
    p.title = s.title;
    // The fields at twice the text height apart, indented by a tenth of the width.
    const int32_t x = p.left + (p.right - p.left) / 10;
    int32_t y = (d.bottom - d.top) / 3;
    const ReportHeader& h = s.cover;
    for (size_t i = 0; i < 4; ++i) {
        const ReportHeaderField& f = kReportHeaderFields[i];
        p.body.push_back({{x, y}, std::string(f.label) + "：" + h.*f.value, kTitleFontHeight});
        y += 3 * kTitleFontHeight;
    }
    // The signatures, each with room to sign beside the printed name.
    y += 3 * kTitleFontHeight;
    const int32_t step = (p.right - p.left) / 3;
    for (size_t i = 4; i < 7; ++i) {
        const ReportHeaderField& f = kReportHeaderFields[i];
        const int32_t at = p.left + static_cast<int32_t>(i - 4) * step + step / 10;
        p.body.push_back({{at, y}, std::string(f.label) + "：" + h.*f.value, kTextFontHeight});
    }
    return p;
}

}  // namespace kx
