// The system's fonts are named "宋体" (a Song face) and "黑体" (a Hei face), and its dialogs
// use "MS Shell Dlg", which a Chinese desktop shows in 宋体. The names are kept in the code;
// these substitutes let Qt find installed Debian fonts for them (AR PL UMing and WenQuanYi
// Micro Hei), with each other as the fall-back so no Chinese text ever shows as boxes.
#pragma once

#include <QFont>

namespace kx::ui {

inline constexpr const char* kSongFace = "宋体";
inline constexpr const char* kHeiFace = "黑体";
inline constexpr const char* kDialogFace = "MS Shell Dlg";

// Registers the substitutes once per process; safe to call again.
void InstallFontSubstitutes();

// The dialog font of the window, its pages and boxes (9-point 宋体, 12 pixels high).
QFont DialogFont();

}  // namespace kx::ui
