#include "waveform/band_view_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace kx {
namespace {

TEST(BandPlot, LargestMagnitudeReachesTheBandEdgesAndSilenceLiesOnTheCentre) {
    // A blow all at its largest magnitude is a flat line at the band's edge.
    const std::vector<int32_t> high(100, 5000);
    const std::vector<int32_t> low(100, -5000);
    const std::vector<PlotPoint> top = BandPlot(high.data(), 100, 500, 300);
    for (size_t i = 1; i < top.size(); ++i) {
        ASSERT_EQ(top[i].y, 300) << i;
    }
    // float32(75 / 5000) lies just below 0.015: the lower edge truncates to 449.
    EXPECT_EQ(BandPlot(low.data(), 100, 500, 300).back().y, 449);
    // Silence: no division by zero, a flat line on the centre.
    const std::vector<int32_t> zeros(100, 0);
    const std::vector<PlotPoint> flat = BandPlot(zeros.data(), 100, 500, 150);
    ASSERT_EQ(flat.size(), 101u);
    for (const PlotPoint& pt : flat) {
        EXPECT_EQ(pt.y, 225);
    }
    // x steps by float32(W / N) from 0; the curve starts at the centre on the left edge.
    EXPECT_EQ(flat.front(), (PlotPoint{0, 225}));
    EXPECT_EQ(flat[1].x, 0);
    EXPECT_EQ(flat[2].x, 5);
    EXPECT_EQ(flat.back().x, 495);
    EXPECT_EQ(BandPlot(zeros.data(), 0, 500, 0).size(), 1u);
    EXPECT_EQ(BandZeroLineY(300), 374);
}

TEST(BlowAt, HitAreasStartBelowEachSeparator) {
    struct Case {
        int32_t x, y;
        int blow;
    } cases[] = {
        {10, 160, 1},  {10, 150, -1}, {10, 151, 1},   {10, 299, 1},   {10, 0, -1},
        {10, 1, 0},    {10, 310, 2},  {10, 1199, 7},  {10, 1200, -1}, {10, 1350, -1},
        {-1, 160, -1}, {799, 160, 1}, {800, 160, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BlowAt(c.x, c.y, 800), c.blow) << c.x << "," << c.y;
    }
}

TEST(BandsIntersecting, OnlyTheBandsReachingIntoTheRows) {
    struct Case {
        int32_t top, bottom;
        int rows;
        BandRange range;
    } cases[] = {
        {0, 700, 5000, {0, 5}},  // rows 0..699: bands 0..4
        {0, 750, 5000, {0, 6}},  // row 749: band 5's peak may reach it
        {0, 700, 3, {0, 3}},     // fewer bands than rows
        {150, 151, 10, {0, 2}},  // row 150: band 0's separator and band 1's top
        {149, 150, 10, {0, 2}},  // row 149: band 0, and band 1's peak
        {151, 299, 10, {1, 2}},
        {300, 301, 10, {1, 3}},
        {375000, 375700, 5000, {2499, 2505}},
        {749900, 760000, 5000, {4999, 5000}},
        {760000, 770000, 5000, {0, 0}},  // below the last band
        {-50, 10, 5, {0, 1}},
        {0, 0, 5, {0, 0}},
        {0, 700, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BandsIntersecting(c.top, c.bottom, c.rows), c.range)
            << c.top << ".." << c.bottom << " of " << c.rows;
    }
}

}  // namespace
}  // namespace kx
