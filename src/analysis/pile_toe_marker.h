// 自动识别桩底: where the found toe puts the pile-bottom marker, and what the window tells.
// The marker itself is placed by 桩底 (SetPileBottom) with the cursor on the toe, so the pile
// length or wave speed follows exactly as when the engineer clicks there and presses D.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/pile_toe.h"
#include "waveform/pile_markers.h"

namespace kx {

inline constexpr const char* kToeNotFound = "未能从波形中识别出桩底，桩底标记未移动。";
inline constexpr const char* kToeOutsideView = "识别出的桩底超出了波形的显示范围，桩底标记未移动。";
inline constexpr const char* kToeNeedsStackedTab = "请在“叠加波型”页中使用自动识别桩底。";

// The cursor x for 桩底 on the toe: of the pixels right of the pile-top marker and inside the
// view, the one whose time (as 桩底 stores it) is closest to the pile-top time plus `toeUs`,
// the toe's two-way travel time. The pile-top marker sits one sample after the blow's peak
// and the toe time is counted from that peak, so the bottom marker sits one sample after the
// toe echo's, and the markers' travel time is the toe time. None without a record or view
// width, or when the toe lies more than a sample beyond the view's last pixel.
std::optional<int32_t> PileBottomXForToe(const MarkerState& s, double toeUs);

// The status-bar text once the marker is placed: the travel time and the confidence.
std::string ToeFoundText(const PileToe& toe);

}  // namespace kx
