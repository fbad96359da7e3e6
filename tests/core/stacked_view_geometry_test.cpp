#include "waveform/stacked_view_geometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace kx {
namespace {

TEST(StackedViewGeometry, LargestSampleTouchesTopOrAxisAtZoomOne) {
    const std::vector<int32_t> s = {0, 900, -900, 450};
    const float vs = VerticalScale(s.data(), 4);
    EXPECT_EQ(vs, 0.25f);
    EXPECT_EQ(SampleY(900, vs, 1), 0);
    EXPECT_EQ(SampleY(-900, vs, 1), 450);
    EXPECT_EQ(SampleY(450, vs, 1), 112);  // 225 - 112.5, truncated toward zero
    // Zoom 2: below the axis is held at 450, above the top leaves the window.
    EXPECT_EQ(SampleY(-900, vs, 2), 450);
    EXPECT_EQ(SampleY(-400, vs, 2), 425);
    EXPECT_EQ(SampleY(900, vs, 2), -225);
    // The scale is stored as float32: 225 / 1000 becomes 0.22499999, and the lowest sample
    // then lands at trunc(449.99999) = 449.
    const std::vector<int32_t> thousand = {1000, -1000};
    EXPECT_EQ(SampleY(-1000, VerticalScale(thousand.data(), 2), 1), 449);
    // -2^31 has no positive counterpart in int32; the scale still comes from its magnitude.
    const std::vector<int32_t> lowest = {std::numeric_limits<int32_t>::min()};
    EXPECT_EQ(SampleY(lowest[0], VerticalScale(lowest.data(), 1), 1), 450);
}

TEST(StackedViewGeometry, AllZeroWaveformLiesOnTheZeroLine) {
    const std::vector<int32_t> zeros(8, 0);
    EXPECT_EQ(VerticalScale(zeros.data(), 8), 225.0f);
    EXPECT_EQ(VerticalScale(nullptr, 0), 225.0f);
    for (const PlotPoint& p : StackedPlot(zeros.data(), 8, 800, 4)) {
        EXPECT_EQ(p.y, 225);
    }
}

TEST(StackedViewGeometry, PlotStartsAtTheZeroLineAndStepsByWOverN) {
    std::vector<int32_t> s(1024, 0);
    s[1] = 100;
    const std::vector<PlotPoint> pts = StackedPlot(s.data(), 1024, 1000, 1);
    ASSERT_EQ(pts.size(), 1025u);
    EXPECT_EQ(pts[0], (PlotPoint{0, 225}));
    EXPECT_EQ(pts[1], (PlotPoint{0, 225}));  // the first segment is vertical at x = 0
    EXPECT_EQ(pts[2], (PlotPoint{0, 0}));    // 0.9765625 px per sample
    EXPECT_EQ(pts[1024].x, 999);             // 1023 * 0.9765625 = 999.02
    EXPECT_EQ(SampleX(600, PixelsPerSample(1000, 1024), 2), 1171);  // 1171.875
    EXPECT_EQ(PixelsPerSample(1000, 0), 0.0f);
    EXPECT_EQ(StackedPlot(s.data(), 0, 1000, 1).size(), 1u);
}

PileRecord ReadoutRecord() {
    PileRecord r;
    r.sampleCount = 256;
    r.sampleIntervalUs = 20;
    r.pileLength = 10;
    r.waveSpeed = 3800;
    for (int i = 0; i < 256; ++i) {
        r.waves[kStackedSlot][i] = i * 32768;
    }
    r.waves[kStackedSlot][256] = 999999999;  // past N: must never be read
    return r;
}

TEST(StackedViewGeometry, CursorReadouts) {
    const PileRecord r = ReadoutRecord();
    struct Case {
        int32_t x, scroll;
        int width;
        int32_t top, bottom;
        int32_t cursorX;
        const char* time;
        const char* voltage;  // nullptr: box left as it is
        const char* position;
    };
    const Case cases[] = {
        // 2 px per sample: x = 100 is sample 50, 1000 µs; 50 * 32768 counts = 585.94 mV;
        // (100 - 40) px * float32(10 / 360) m/px = 1.67 m.
        {100, 0, 512, 40, 400, 100, "1000", "585.94", "1.67"},
        {100, 5, 512, 40, 400, 105, "1000", "585.94", "1.81"},  // scroll counts for position
        {600, 0, 512, 40, 400, 600, "6000", nullptr, "15.56"},  // beyond the last sample
        {-1, 0, 512, 40, 400, -1, "-10", "0.00", "-1.14"},      // trunc(-0.5) = 0: sample 0
        {-1, 0, 256, 40, 400, -1, "-20", nullptr, "-1.14"},     // 1 px per sample: index -1
        {100, 0, 512, 40, 40, 100, "1000", "585.94", "0.00"},   // top = bottom: no scale
        {100, 0, 0, 40, 400, 100, "0", nullptr, "1.67"},        // no view width
    };
    for (const Case& c : cases) {
        const CursorReadout out = ReadCursor(c.x, c.scroll, c.width, r, c.top, c.bottom);
        EXPECT_EQ(out.cursorX, c.cursorX) << c.x;
        EXPECT_EQ(out.timeText, c.time) << c.x;
        EXPECT_EQ(out.voltageText.has_value(), c.voltage != nullptr) << c.x;
        if (c.voltage != nullptr && out.voltageText) {
            EXPECT_EQ(*out.voltageText, c.voltage) << c.x;
        }
        EXPECT_EQ(out.positionText, c.position) << c.x;
    }
}

TEST(StackedViewGeometry, LiveSpeedAndLengthWhileDragging) {
    const PileRecord r = ReadoutRecord();
    // 200 px of a 1024-px view at 20 µs: t = 0.004 s, whatever the record's N.
    EXPECT_FLOAT_EQ(LiveSpeed(300, 100, 1024, r), 5000.0f);
    EXPECT_FLOAT_EQ(LiveLength(300, 100, 1024, r), 7.6f);
    EXPECT_EQ(LiveSpeed(100, 100, 1024, r), 0.0f);  // on the top: no time, no speed
    EXPECT_EQ(LiveSpeed(300, 100, 0, r), 0.0f);
    EXPECT_EQ(LiveText(FixMode::kLengthFixed, 5000, 7.6f), "波速为: 5000.00 m/s");
    EXPECT_EQ(LiveText(FixMode::kSpeedFixed, 5000, 7.6f), "桩长为: 7.60 米");
    EXPECT_EQ(PileBarText(12.345f), "桩长为12.35");
}

TEST(StackedViewGeometry, HandDrawingStaysInsideTheWaveform) {
    const float vs = 0.225f;  // largest |sample| 1000
    struct Case {
        int32_t x;
        int width;
        std::vector<int32_t> expected;
    };
    // y = 125 is 100 px above the zero line: 100 / 0.225 = 444 counts.
    const Case cases[] = {
        {50, 100, {0, 0, 0, 0, 0, 444, 444, 444, 0, 0}},
        {95, 100, {0, 0, 0, 0, 0, 0, 0, 0, 0, 444}},
        {-20, 100, {444, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {500, 100, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {50, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> s(11, 0);
        HandDrawSamples(s.data(), 10, c.x, 125, c.width, vs);
        EXPECT_EQ(s[10], 0);
        s.resize(10);
        EXPECT_EQ(s, c.expected) << c.x;
    }
}

TEST(StackedViewGeometry, Zoom) {
    EXPECT_EQ(ZoomIn(ZoomIn(ZoomIn(1))), 8);
    EXPECT_EQ(ZoomOut(1), 1);
    EXPECT_EQ(ZoomOut(8), 4);
    EXPECT_EQ(ZoomIn(1 << 30), 1 << 30);
}

}  // namespace
}  // namespace kx
