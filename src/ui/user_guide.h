// The user guide (docs/guide.md rendered as an HTML page with its pictures), shown in the
// desktop's browser. Installed under PREFIX/share/doc/kx7300 beside PREFIX/bin; a program run
// from its build tree shows the build tree's rendering instead.
#pragma once

#include <QString>

namespace kx::ui {

// The guide to show: the installed HTML page, else (from the build tree) the build tree's;
// empty when neither exists.
QString UserGuidePath();
// Where the guide is, for a message: the file found, else where the installed guide belongs.
QString UserGuideLocation();
// Hands the guide to the desktop's viewer; false when there is no guide or no viewer took it.
bool OpenUserGuideInDesktop();

}  // namespace kx::ui
