// Arithmetic of the two banded views: the raw waveform view (原始波型, one band per blow) and
// the all-waveforms view (所有波型, one band per project file). Pure functions in picture
// coordinates (before scrolling); the views only draw and hit-test with them.
#pragma once

#include <cstdint>
#include <vector>

#include "waveform/stacked_view_geometry.h"

namespace kx {

inline constexpr int32_t kBandHeight = 150;  // band j covers y = 150 j .. 150 j + 150
inline constexpr int kRawBandCount = 8;      // the raw view's bands, one per blow slot
inline constexpr int32_t kRawPictureHeight = kRawBandCount * kBandHeight;  // 1200

// Top of band j.
inline int32_t BandTop(int band) {
    return band * kBandHeight;
}

// The dotted zero line of a band: trunc(top + 150 - 75.5), one row above the curve's centre.
inline int32_t BandZeroLineY(int32_t bandTop) {
    return bandTop + 74;
}

// The curve of a band: (0, top + 75), then sample i at (trunc(i * float32(W / N)),
// trunc(top + 75 - s * float32(75 / M))), M the largest |sample|. An all-zero waveform takes
// M = 1, so it lies flat on the band's centre. float32(75 / M) can round up, which puts the
// largest positive sample one row above the band (top - 1).
std::vector<PlotPoint> BandPlot(const int32_t* samples, int count, int width, int32_t bandTop);

// The raw view's hit areas: band j reacts on (0, b + 1) .. (right, b + 150), right and bottom
// exclusive, b = 150 j. The blow slot under picture point (x, y), or -1 (a separator row,
// left of 0, right of `right`, below the last band).
int BlowAt(int32_t x, int32_t pictureY, int32_t right);

// The bands of a view of `rowCount` bands that a paint of picture rows top .. bottom - 1 has
// to draw: band j draws rows 150 j - 1 .. 150 j + 150 (its peak can reach the row above it,
// its separator is the next band's first row). An empty range (first == last) when none
// intersects.
struct BandRange {
    int first = 0;
    int last = 0;  // one past the last band
    bool operator==(const BandRange&) const = default;
};
BandRange BandsIntersecting(int32_t top, int32_t bottom, int rowCount);

}  // namespace kx
