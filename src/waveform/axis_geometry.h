// The axes a user may switch on (视图 > 频率坐标, 时间深度坐标): a time axis in milliseconds
// along the stacked view's bottom axis and a frequency axis in hertz along the spectrum view's
// bottom edge. Pure arithmetic: the value at each tick and where it stands, for any width and
// zoom; the paint code only draws them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/pile_record.h"

namespace kx {

struct ScaleTick {
    int32_t x = 0;
    double value = 0;
    bool labelled = false;  // a major tick with its value written under it
    bool operator==(const ScaleTick&) const = default;
};

struct LinearAxis {
    double step = 0;  // between labelled ticks, in the axis's unit
    std::vector<ScaleTick> ticks;
};

// Labelled ticks this far apart at least.
inline constexpr double kAxisLabelSpacingPx = 60.0;

// Value v at x = v * pixelsPerUnit, from 0 while x < shownWidth: labelled ticks at a 1-2-5
// step at least kAxisLabelSpacingPx apart, a minor tick half way. Empty without a positive,
// finite scale.
LinearAxis MakeLinearAxis(double pixelsPerUnit, int shownWidth);

// Time from the record's start in ms on the stacked view: the view is `markerWidth` pixels wide
// (W times the zoom) for the record's N samples, of which the first `shownWidth` show.
LinearAxis TimeAxis(int markerWidth, int shownWidth, const PileRecord& rec);

// Frequency in Hz on the spectrum view of W pixels at `zoom` (bin j drawn at
// j * float32(W / count) * zoom, bin j being j / (n * interval) with n the transform length).
LinearAxis FrequencyAxis(int viewWidth, int zoom, int count, int32_t intervalUs);

// A label with as many decimals as the step needs ("0", "250", "2.5").
std::string AxisLabel(double value, double step);

}  // namespace kx
