// Arithmetic of the stacked view's 深度标尺 (an option, off by default): depth in metres below
// the pile-top marker along the bottom edge of the view, at the record's wave speed, and where
// found defects sit on it. Pure functions; the paint code only draws what they say.
//
// The scale is in the markers' frame, as the cursor's readouts are: client pixels whatever
// the zoom, pixel x at time x * N * interval / W.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/pile_defects.h"
#include "record/pile_record.h"

namespace kx {

// The scale's line lies this far above the view's bottom edge; its labels fill the strip
// below the line.
inline constexpr int32_t kDepthScaleHeight = 24;
// Labelled ticks are at least this far apart.
inline constexpr double kDepthTickSpacingPx = 50.0;

struct DepthTick {
    int32_t x = 0;
    double depthM = 0;
    bool labelled = false;  // a major tick with its depth written under it
    bool operator==(const DepthTick&) const = default;
};

struct DepthScale {
    int32_t baselineY = 0;  // y of the scale's line
    int32_t fromX = 0;      // the line runs from the pile-top marker...
    int32_t toX = 0;        // ...to the view's right edge
    double stepM = 0;       // between labelled ticks
    std::vector<DepthTick> ticks;
};

// Pixels per metre of depth: a metre is 2 / v seconds of two-way travel, and the view shows N
// samples of `interval` across W pixels. 0 without a positive, finite speed or samples.
double DepthPixelsPerMetre(int viewWidth, const PileRecord& rec);

// The scale for a view of W x H with the pile-top marker at topX; none when there is no wave
// speed, the view is too low for it or the pile top is not on the view. A zoomed view is W
// wide and shows only its first `shownWidth` pixels: the scale stops there.
std::optional<DepthScale> ComputeDepthScale(int viewWidth, int viewHeight, int32_t topX,
                                            const PileRecord& rec,
                                            int shownWidth = std::numeric_limits<int>::max());

// A tick's label: the depth with as many decimals as the step needs ("0", "5", "2.5").
std::string DepthLabel(double depthM, double stepM);

// A found defect on the scale: at its echo's time after the pile-top time, placed the way the
// defect marker is placed from a time.
struct DefectMark {
    int32_t x = 0;
    DefectKind kind = DefectKind::kNecking;
    bool operator==(const DefectMark&) const = default;
};
std::vector<DefectMark> DefectMarks(const std::vector<PileDefect>& defects, int viewWidth,
                                    const PileRecord& rec);

}  // namespace kx
