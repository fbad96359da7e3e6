#include "waveform/spectrum_view_geometry.h"

#include <gtest/gtest.h>

namespace kx {
namespace {

TEST(SpectrumReadout, BinFrequencyAndPileLength) {
    struct Case {
        int32_t x;
        int width, zoom, count;
        int32_t bin;
        float hz;
        const char* h;
        const char* l;
    };
    const Case cases[] = {
        // 20 µs, N = 1024, W = 1024: bin 100 is 100 * 1e6 / (1024 * 20) = 4882.8125 Hz;
        // L = 3800 / (2 * 4882.8125) = 0.389 m.
        {100, 1024, 1, 1024, 100, 4882.8125f, "H = 4882.81", "L = 0.39"},
        {200, 1024, 2, 1024, 100, 4882.8125f, "H = 4882.81", "L = 0.39"},
        // N = 1000 is transformed with n = 1024: the bin width is 1e6 / (1024 * 20), not
        // 1e6 / (1000 * 20) (which would read 5000 Hz).
        {100, 1000, 1, 1000, 100, 4882.8125f, "H = 4882.81", "L = 0.39"},
        // N = 100, n = 256, 10.24 px per entry: x = 100 is bin 9, 9 * 1e6 / (256 * 20).
        {100, 1024, 1, 100, 9, 1757.8125f, "H = 1757.81", "L = 1.08"},
        // Frequency 0: no length rather than a division by zero.
        {0, 1024, 1, 1024, 0, 0, "H = 0.00", "L = 0.00"},
        {100, 0, 1, 1024, 0, 0, "H = 0.00", "L = 0.00"},
    };
    for (const Case& c : cases) {
        const SpectrumReadout r = ReadSpectrumCursor(c.x, c.width, c.zoom, c.count, 20, "3800");
        EXPECT_EQ(r.bin, c.bin) << c.x;
        EXPECT_FLOAT_EQ(r.frequencyHz, c.hz) << c.x;
        EXPECT_EQ(r.speedText, "C = 3800.00");
        EXPECT_EQ(r.frequencyText, c.h) << c.x;
        EXPECT_EQ(r.lengthText, c.l) << c.x;
    }
    EXPECT_EQ(ReadSpectrumCursor(100, 1024, 1, 1024, 0, "3800").frequencyText, "H = 0.00");
}

TEST(SpectrumPlot, PeakReachesTheTopAndSilenceTheBottom) {
    SpectrumBuffer x{};
    x.fill(-16383);
    x[3] = 16384;
    const std::vector<PlotPoint> pts = SpectrumPlot(x, 1024, 512, 400, 1);
    ASSERT_EQ(pts.size(), 1025u);
    EXPECT_EQ(pts[0], (PlotPoint{0, 200}));
    EXPECT_EQ(pts[4], (PlotPoint{1, 0}));  // entry 3 at 3 * 0.5 px
    EXPECT_EQ(pts[1].y, 399);              // 200 + 16383 * 200 / 16384 = 399.99
    EXPECT_EQ(SpectrumPlot(x, 1024, 512, 400, 2)[4].x, 3);
    SpectrumBuffer zeros{};
    for (const PlotPoint& p : SpectrumPlot(zeros, 1024, 512, 400, 1)) {
        EXPECT_EQ(p.y, 200);
    }
}

}  // namespace
}  // namespace kx
