// The optional axes: ticks at 1-2-5 steps at the values' own places, for any width and zoom.
#include "waveform/axis_geometry.h"

#include <gtest/gtest.h>

#include "waveform/spectrum.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {
namespace {

TEST(AxisGeometry, StepsAreOneTwoFiveAndLabelsFarEnoughApart) {
    struct Case {
        double pixelsPerUnit;
        double step;
    } cases[] = {{100, 1}, {60, 1}, {59, 2}, {25, 5}, {12, 5}, {11.9, 10}, {0.1, 1000}, {600, 0.1}};
    for (const Case& c : cases) {
        const LinearAxis axis = MakeLinearAxis(c.pixelsPerUnit, 1000);
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.pixelsPerUnit;
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_EQ(axis.ticks.front(), (ScaleTick{0, 0, true}));
        EXPECT_LT(axis.ticks.back().x, 1000);
    }
    EXPECT_TRUE(MakeLinearAxis(0, 1000).ticks.empty());
    EXPECT_TRUE(MakeLinearAxis(10, 0).ticks.empty());
    EXPECT_EQ(AxisLabel(2.5, 0.5), "2.5");
    EXPECT_EQ(AxisLabel(250, 50), "250");
    EXPECT_EQ(AxisLabel(0.15, 0.05), "0.15");
}

// A tick stands where its time is drawn: 1024 samples at 10 µs = 10.24 ms across the width.
TEST(AxisGeometry, TimeTicksFollowTheWidthAndTheZoom) {
    PileRecord rec;
    rec.sampleCount = 1024;
    rec.sampleIntervalUs = 10;
    for (int width : {1000, 1300}) {
        for (int zoom : {1, 4}) {
            const LinearAxis axis = TimeAxis(width * zoom, width, rec);
            for (const ScaleTick& t : axis.ticks) {
                const double sample = t.value * 1000 / 10;
                const double drawnAt = sample * width * zoom / 1024.0;
                EXPECT_NEAR(t.x, drawnAt, 1) << width << " " << zoom << " " << t.value;
                EXPECT_LT(t.x, width);
            }
            EXPECT_GT(axis.ticks.size(), 4u);
        }
    }
}

TEST(AxisGeometry, FrequencyTicksStandOnTheirBins) {
    const int count = 1024;
    const int interval = 20;
    const int n = SpectrumLength(count);
    for (int width : {900, 1300}) {
        for (int zoom : {1, 2, 8}) {
            const LinearAxis axis = FrequencyAxis(width, zoom, count, interval);
            ASSERT_FALSE(axis.ticks.empty());
            const float pps = PixelsPerSample(width, count);
            for (const ScaleTick& t : axis.ticks) {
                const double bin = t.value * n * interval / 1e6;
                EXPECT_NEAR(t.x, bin * pps * zoom, 1) << width << " " << zoom << " " << t.value;
            }
        }
    }
}

}  // namespace
}  // namespace kx
