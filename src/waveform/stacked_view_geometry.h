// Arithmetic of the stacked waveform view (叠加波型): where samples are drawn, what the
// cursor reads out, and the live speed or length while the cursor is dragged. Pure
// functions; the view only draws and forwards input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "record/pile_record.h"
#include "waveform/marker_time.h"

namespace kx {

inline constexpr int32_t kZeroLineY = 225;  // y of the zero line
inline constexpr int32_t kAxisY = 450;      // y of the bottom axis

struct PlotPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// Pixels per ADC count at zoom 1: float32(225 / M), M the largest |sample|. An all-zero or
// empty waveform takes M = 1, so it lies on the zero line and the scale stays invertible.
float VerticalScale(const int32_t* samples, int count);

// Pixels per sample, float32(W) / float32(N); 0 without samples.
float PixelsPerSample(int viewWidth, int count);

// x of sample i: trunc(i * pixelsPerSample * zoom).
int32_t SampleX(int index, float pixelsPerSample, int zoom);

// y of a sample: trunc(225 - s * vScale * zoom), not below the axis (450) when zoomed in.
int32_t SampleY(int32_t sample, float vScale, int zoom);

// The waveform polyline as painted: (0, 225), then one point per sample.
std::vector<PlotPoint> StackedPlot(const int32_t* samples, int count, int viewWidth, int zoom);

// What the cursor at client x writes into the waveform page.
struct CursorReadout {
    int32_t cursorX = 0;                     // x plus the horizontal scroll position
    std::string timeText;                    // box 1022 时间(us)
    std::optional<std::string> voltageText;  // box 1006 电压值(mv); none when no sample is under x
    std::string positionText;                // box 1007 当前位置(m)
};

// Readouts for the cursor at client x of the record's stacked waveform, with the pile-top
// and pile-bottom markers at topX and bottomX (the position is 0 while they coincide).
CursorReadout ReadCursor(int32_t x, int32_t scrollX, int viewWidth, const PileRecord& rec,
                         int32_t topX, int32_t bottomX);

// Wave speed the pile-bottom marker would give at x (length fixed): float32(2 L / t); 0
// while no time lies between the pile top and x.
float LiveSpeed(int32_t x, int32_t topX, int viewWidth, const PileRecord& rec);

// Pile length the pile-bottom marker would give at x (speed fixed): float32(t * v / 2).
float LiveLength(int32_t x, int32_t topX, int viewWidth, const PileRecord& rec);

// The text drawn at the cursor while dragging, for the mode.
std::string LiveText(FixMode mode, float liveSpeed, float liveLength);

// The text over the pile bar: "桩长为%.2f".
std::string PileBarText(float pileLength);

// 优化: the drag at (x, y) sets samples idx, idx+1, idx+2 (those inside the waveform) to
// the value under y, idx = trunc(float32(x / W) * N). Nothing happens without a view width.
void HandDrawSamples(int32_t* samples, int count, int32_t x, int32_t y, int viewWidth,
                     float vScale);

// 放大: the zoom doubles (capped at 2^30, where doubling would overflow).
int32_t ZoomIn(int32_t zoom);

// 缩小: the zoom halves while it is at least 2.
int32_t ZoomOut(int32_t zoom);

}  // namespace kx
