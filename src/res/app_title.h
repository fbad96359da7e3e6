// The application's title: the caption of the main window and of its message boxes.
#pragma once

namespace kx {

inline constexpr const char* kAppTitle = "KX系列基桩低应变分析系统";

}  // namespace kx
