// The pages and the About box are laid out in dialog units, as their templates give them.
// One conversion serves them all: the base units of the 8-point dialog font at 96 dpi, 6
// pixels per character width and 13 pixels per line, so one horizontal unit (a quarter of a
// character) is 1.5 pixels and one vertical unit (an eighth of a line) is 1.625 pixels.
// Values are rounded to the nearest pixel, halves away from zero.
#pragma once

#include <QRect>

namespace kx::ui {

inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;

inline constexpr int DluToPixelsX(int x) {
    return x >= 0 ? (x * kDialogBaseUnitX + 2) / 4 : -((-x * kDialogBaseUnitX + 2) / 4);
}
inline constexpr int DluToPixelsY(int y) {
    return y >= 0 ? (y * kDialogBaseUnitY + 4) / 8 : -((-y * kDialogBaseUnitY + 4) / 8);
}

// A template rectangle (x, y, width, height in dialog units) in pixels.
inline QRect DialogRect(int x, int y, int width, int height) {
    const int left = DluToPixelsX(x);
    const int top = DluToPixelsY(y);
    return QRect(left, top, DluToPixelsX(x + width) - left, DluToPixelsY(y + height) - top);
}

}  // namespace kx::ui
