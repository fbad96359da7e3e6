// Texts the waveform and marker operations hand back to the window for a message box.
#pragma once

namespace kx {

inline constexpr const char* kSelectFileFirst = "请先选择文件！";
inline constexpr const char* kDefectOutsidePile = "缺陷位置必需介于桩底和桩顶之间的范围！";
inline constexpr const char* kBottomBeforeTop = "桩底时刻应该大于桩顶时刻！";

}  // namespace kx
