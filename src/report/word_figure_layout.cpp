#include "report/word_figure_layout.h"

#include <algorithm>
#include <cstdlib>

#include "record/gbk.h"
#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/pile_markers.h"

namespace kx {

namespace {

constexpr int32_t kPlotLeft = 20;

// Pixels become integers by truncation, held well inside int32 first so that absurd marker
// times cannot overflow the small offsets added to them.
int32_t Px(double v) {
    constexpr double kLimit = 1e9;
    return TruncToInt32(std::clamp(v, -kLimit, kLimit));
}

struct FigureGeometry {
    int32_t XR = 0;  // right edge of every block
    int32_t Wp = 0;  // plot width; the plot runs from x = 20 to Wp + 20
    float Hf = 0;    // block height
    float s = 0;     // height of the strip below the plot
    float hb = 0;    // half height of the pile bar
};

// x at fraction f of the plot: int(f × Wp + 20), in float.
int32_t PlotX(const FigureGeometry& g, float f) {
    return Px(F32(static_cast<double>(F32(static_cast<double>(f) * g.Wp)) + kPlotLeft));
}

void LayoutWave(const FigureGeometry& g, const PileRecord& rec, int n, float W, ReportBlock& b) {
    const int32_t* samples = rec.waves[kStackedSlot].data();
    const float dx = F32(static_cast<double>(g.Wp) / n);
    int64_t peak = 0;
    for (int j = 0; j < n; ++j) {
        peak = std::max<int64_t>(peak, std::llabs(static_cast<int64_t>(samples[j])));
    }
    const float half = F32(static_cast<double>(F32(static_cast<double>(W) - 40.0 - b.y)) * 0.5);
    const float yb = F32(static_cast<double>(W) - half);
    // A flat waveform has no scale; it is drawn on the zero line.
    const float k = peak == 0 ? 0.0f : F32(static_cast<double>(half) / static_cast<double>(peak));
    // The zero line ends at x = Wp, 20 pixels short of the plot's edge, as always drawn.
    b.zeroLine = ReportLine{{kPlotLeft, Px(yb)}, {g.Wp, Px(yb)}};
    b.wave.reserve(static_cast<size_t>(n) + 1);
    b.wave.push_back({kPlotLeft, Px(yb)});
    for (int j = 0; j < n; ++j) {
        const float x = F32(static_cast<double>(F32(j * static_cast<double>(dx))) + kPlotLeft);
        const float dy = F32(static_cast<double>(F32(samples[j])) * k);
        b.wave.push_back({Px(x), Px(F32(static_cast<double>(yb) - dy))});
    }
}

void LayoutRuler(const FigureGeometry& g, const PileRecord& rec, float ft, float fb,
                 ReportBlock& b) {
    const float x0 = F32(static_cast<double>(F32(static_cast<double>(ft) * g.Wp)) + kPlotLeft);
    const float xb = F32(static_cast<double>(F32(static_cast<double>(fb) * g.Wp)) + kPlotLeft);
    const float step = F32(static_cast<double>(F32(static_cast<double>(xb) - x0)) * 0.25);
    const float labelStep =
        F32(static_cast<double>(int64_t{rec.pileBottomTimeUs} - rec.pileTopTimeUs) * 0.25 / 1000.0);
    int32_t o = 0;
    float a = 0;
    int32_t x = 0;
    for (int tick = 0; tick < 5; ++tick) {
        x = Px(static_cast<double>(x0) + o);
        b.rulerTicks.push_back({{x, b.yS - 10}, {x, b.yS}});
        b.rulerLabels.push_back({{x - 20, b.yS + 5}, FormatFixed2(a), kFigureRulerFontHeight});
        o = Px(F32(static_cast<double>(step) + o));
        a = F32(static_cast<double>(a) + labelStep);
    }
    b.rulerLabels.push_back({{x + 50, b.yS + 5}, "ms", kFigureRulerFontHeight});
}

// The text column: 桩长, 波速 and 缺陷 at 10, 30 and 50 pixels below the frame's top. From 11
// blocks per figure on the frame is lower than the column, and from 12 its last line runs into
// the next block's header: lines and font then shrink together until the column ends at the
// frame's bottom, as on the report pages.
void LayoutColumn(const PrintSettings& s, const FigureGeometry& g, const PileRecord& rec,
                  float depth, ReportBlock& b) {
    const int32_t avail = b.y2 - b.y1;
    double scale = 1.0;
    if (avail < kFigureColumnNominalHeight) {
        scale = std::max(0, avail) / static_cast<double>(kFigureColumnNominalHeight);
    }
    const int32_t height = std::max(1, Px(kFigureFontHeight * scale));
    const int32_t x = g.Wp + 25;
    auto lineY = [&](int line) { return b.y1 + Px(kFigureColumnLineOffsets[line] * scale); };
    if (s.showPileLength) {
        b.column.push_back({{x, lineY(0)}, "桩长(m):" + FormatFixed2(rec.pileLength), height});
    }
    if (s.showWaveSpeed) {
        b.column.push_back({{x, lineY(1)}, "波速(m/s):" + FormatFixed2(rec.waveSpeed), height});
    }
    if (s.showDefect && depth > 0) {
        b.column.push_back({{x, lineY(2)}, "缺陷(m):" + FormatFixed2(depth), height});
    }
}

// Block of one entry with its header line at d and frame bottom at m.
ReportBlock LayoutBlock(const PrintSettings& s, const FigureGeometry& g, const PileRecord& rec,
                        size_t entry, int32_t d, int32_t m) {
    ReportBlock b;
    b.entry = entry;
    b.y = d;
    b.y1 = d + 40;
    b.y2 = m;
    const int32_t XR = g.XR;
    const int32_t plotRight = g.Wp + kPlotLeft;
    if (s.showSite) {
        b.header.push_back({{30, d}, "工地:" + GbkToUtf8Lossy(rec.site), kFigureFontHeight});
    }
    if (s.showPileNumber) {
        b.header.push_back(
            {{XR - 350, d}, "桩号:" + GbkToUtf8Lossy(rec.pileNumber), kFigureFontHeight});
    }
    b.header.push_back(
        {{XR - 200, d}, "测试日期:" + GbkToUtf8Lossy(rec.testDate), kFigureFontHeight});

    const float W = F32(static_cast<double>(m) - g.s);  // lower edge of the plot, unrounded
    b.yS = Px(W);
    const int32_t G = b.y1;
    b.frame = {{{kPlotLeft, G}, {XR, G}},        {{kPlotLeft, b.yS}, {plotRight, b.yS}},
               {{plotRight, G}, {plotRight, m}}, {{kPlotLeft, m}, {XR, m}},
               {{kPlotLeft, G}, {kPlotLeft, m}}, {{XR, G}, {XR, m}}};

    const float depth = DefectDepth(rec, 0);
    LayoutColumn(s, g, rec, depth, b);

    // The figures show every sample, also when the pages show half the wave.
    const int n = rec.SampleCount();
    if (n > 0) {
        LayoutWave(g, rec, n, W, b);
    }
    // Markers, ruler and bar need a duration to be placed against.
    const int64_t durationUs = int64_t{rec.sampleIntervalUs} * n;
    if (durationUs <= 0) {
        return b;
    }
    const float tw = F32(static_cast<double>(durationUs));
    const float ft = F32(static_cast<double>(F32(rec.pileTopTimeUs)) / tw);
    const float fb = F32(static_cast<double>(F32(rec.pileBottomTimeUs)) / tw);
    if (s.showPileBottom) {
        b.markers.push_back({{PlotX(g, fb), G}, {PlotX(g, fb), m}});
    }
    if (s.showPileTop) {
        b.markers.push_back({{PlotX(g, ft), G}, {PlotX(g, ft), m}});
    }
    if (s.showDefect && depth > 0) {
        const int32_t x = PlotX(g, F32(static_cast<double>(rec.defectTimeUs) / tw));
        b.markers.push_back({{x, G}, {x, m}});
    }
    if (s.showRuler) {
        LayoutRuler(g, rec, ft, fb, b);
    }
    if (s.showPileShape) {
        const int32_t yc = Px(static_cast<double>(W) +
                              static_cast<double>(F32((m - static_cast<double>(W)) * 0.5)) + 10.0);
        b.pileBar = ReportRect{PlotX(g, ft), Px(F32(yc - static_cast<double>(g.hb))), PlotX(g, fb),
                               Px(F32(yc + static_cast<double>(g.hb)))};
    }
    return b;
}

}  // namespace

WordFigureLayout LayoutWordFigure(const PrintSettings& s, const ReportEntries& entries,
                                  int32_t number) {
    WordFigureLayout f;
    f.number = number;
    const int32_t N = PilesPerPageOf(s);
    f.pilesPerPage = N;
    f.blockHeight = (1290 - 20 * N) / N;
    FigureGeometry g;
    g.Hf = static_cast<float>(f.blockHeight);
    g.XR = kFigureCanvasWidth - 20;
    g.Wp = g.XR - 230;
    g.s = F32(0.3 * g.Hf);
    g.hb = F32(0.15 * g.Hf * 0.5);
    f.plotWidth = g.Wp;
    if (number == 1) {
        f.title = s.title;
        f.titleRect = {0, 0, kFigureCanvasWidth, 30};
    }
    if (number < 1 || !entries.record) {
        return f;
    }
    static const PileRecord kNoRecord{};
    const size_t first = static_cast<size_t>(number - 1) * static_cast<size_t>(N);
    const size_t end = std::min(entries.count, first + static_cast<size_t>(N));
    int32_t d = 50;
    int32_t m = Px(static_cast<double>(g.Hf) + 50.0);
    for (size_t i = first; i < end; ++i) {
        const PileRecord* rec = entries.record(i);
        f.blocks.push_back(LayoutBlock(s, g, rec != nullptr ? *rec : kNoRecord, i, d, m));
        d = m + 20;
        m = Px(static_cast<double>(m) + 20.0 + g.Hf);
    }
    return f;
}

}  // namespace kx
