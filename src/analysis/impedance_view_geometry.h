// Arithmetic of the 阻抗曲线 view: the shaft's relative impedance (ImpedanceProfile) against
// depth, depth from left to right like the stacked view's time, with the pile length marked.
// Pure functions; the paint code only draws what they say.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/impedance_profile.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {

// The plot's margins inside the view: room for the axes' labels and captions.
inline constexpr int32_t kImpedanceLeft = 60;
inline constexpr int32_t kImpedanceRight = 30;
inline constexpr int32_t kImpedanceTop = 40;
inline constexpr int32_t kImpedanceBottom = 50;

struct AxisTick {
    int32_t at = 0;  // x of a depth tick, y of an impedance tick
    std::string label;
    bool operator==(const AxisTick&) const = default;
};

struct ImpedancePlot {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // the plot's frame
    double depthRangeM = 0;                            // depth at the right edge
    double impedanceRange = 0;                         // impedance at the top edge (0 at bottom)
    std::vector<PlotPoint> curve;                      // steps: each element flat over its length
    std::vector<AxisTick> depthTicks;
    std::vector<AxisTick> impedanceTicks;
    int32_t unitY = 0;                   // y of impedance 1.0, the head's
    std::optional<int32_t> pileLengthX;  // the pile length's line; none without a length
};

// The plot of `profile` in a view of W x H, with the pile length (m, 0: none) marked. None
// when the profile is empty, has no element length, or the view is too small for a plot.
std::optional<ImpedancePlot> ComputeImpedancePlot(const PileImpedance& profile, double pileLengthM,
                                                  int viewWidth, int viewHeight);

// The pile length's caption: "桩长 %.2f m".
std::string PileLengthCaption(double pileLengthM);

}  // namespace kx
