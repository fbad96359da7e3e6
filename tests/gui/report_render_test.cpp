// RenderReportPage drawn into an image: the frame where the layout puts it, the curve inside
// its block, texts as black glyphs on white, and nothing for a record that could not be read.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "print/report_page_layout.h"
#include "render/report_page_renderer.h"

namespace kx {
namespace {

constexpr int kWidth = 4800;
constexpr int kHeight = 6800;

PileRecord WavePile() {
    PileRecord r;
    r.sampleCount = 1024;
    r.sampleIntervalUs = 20;
    r.pileTopTimeUs = 400;
    r.pileBottomTimeUs = 5663;
    r.pileLength = 10;
    r.waveSpeed = 3800;
    for (int i = 0; i < 1024; ++i) {
        r.waves[kStackedSlot][i] = (i / 64) % 2 == 0 ? 1000 : -1000;  // a square wave
    }
    return r;
}

// The page at full resolution in 8-bit grey (32 MB).
QImage Render(const PrintSettings& s, const std::vector<const PileRecord*>& records) {
    QImage image(kWidth, kHeight, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPage(painter, s, EntriesOf(records), 1, QRect(0, 0, kWidth, kHeight));
    painter.end();
    return image;
}

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

int DarkPixelsIn(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += Dark(image, x, y) ? 1 : 0;
        }
    }
    return n;
}

TEST(ReportRender, FrameCurveAndTextsWhereTheLayoutSaysThey) {
    const PileRecord pile = WavePile();
    PrintSettings s;
    s.showPileShape = false;
    const std::vector<const PileRecord*> records = {&pile, nullptr};
    const QImage page = Render(s, records);
    const ReportPageLayout layout =
        LayoutReportPage(s, EntriesOf(records), 1, ReportRect{0, 0, kWidth, kHeight});
    const ReportBlock& b = layout.blocks[0];

    // Frame corners (200, 500), (4600, 500), (200, 778), (4600, 778) and the divider.
    EXPECT_TRUE(Dark(page, 200, 500));
    EXPECT_TRUE(Dark(page, 4600, 500));
    EXPECT_TRUE(Dark(page, 200, 778));
    EXPECT_TRUE(Dark(page, 4600, 778));
    EXPECT_TRUE(Dark(page, 3500, 700));
    EXPECT_FALSE(Dark(page, 199, 499));
    EXPECT_FALSE(Dark(page, 4601, 700));

    // The curve: its top and bottom plateaus inside the plot, nothing of it below yS.
    const int top = b.wave[1].y;
    const int bottom = b.wave[70].y;
    EXPECT_LT(top, bottom);
    EXPECT_GE(top, b.y1);
    EXPECT_LE(bottom, b.yS);
    EXPECT_TRUE(Dark(page, 250, top));
    EXPECT_TRUE(Dark(page, 600, bottom));
    EXPECT_EQ(DarkPixelsIn(page, QRect(1500, b.yS + 1, 1, 30)), 0);

    // Texts are drawn: the title band and the header line hold black glyph pixels.
    EXPECT_GT(DarkPixelsIn(page, QRect(1800, 120, 1200, 160)), 1000);
    EXPECT_GT(DarkPixelsIn(page, QRect(3600, 300, 900, 107)), 500);
    // The text column starts right of the divider.
    EXPECT_GT(DarkPixelsIn(page, QRect(3520, b.column[0].at.y, 800, b.column[0].height)), 200);

    // The second entry could not be read: its frame stands, its plot is empty.
    const ReportBlock& empty = layout.blocks[1];
    EXPECT_TRUE(Dark(page, 200, empty.y1));
    EXPECT_TRUE(Dark(page, 4600, empty.y2));
    EXPECT_EQ(DarkPixelsIn(page, QRect(260, empty.y1 + 5, 3000, empty.yS - empty.y1 - 10)), 0);
}

}  // namespace
}  // namespace kx
