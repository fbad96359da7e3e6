// Texts the waveform and marker operations hand back to the window for a message box.
#pragma once

namespace kx {

inline constexpr const char* kSelectFileFirst = "请先选择文件！";
inline constexpr const char* kDefectOutsidePile = "缺陷位置必需介于桩底和桩顶之间的范围！";
inline constexpr const char* kBottomBeforeTop = "桩底时刻应该大于桩顶时刻！";
// The status bar's note for 桩顶/缺陷/桩底 picked while another view tab is shown.
inline constexpr const char* kMarkersNeedStackedTab = "桩顶、缺陷和桩底请在“叠加波型”页中标记。";

}  // namespace kx
