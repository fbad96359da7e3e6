// The user guide (docs/guide.md, and its HTML rendering when installed), shown with the
// desktop's own viewer. Installed under PREFIX/share/doc/kx7300 beside PREFIX/bin; a program
// run from its build tree shows the source tree's copy instead.
#pragma once

#include <QString>

namespace kx::ui {

// The guide to show: the installed HTML page, else the installed Markdown text, else (from
// the build tree) the source tree's copy; empty when none of them exists.
QString UserGuidePath();
// Where the guide is, for a message: the file found, else where the installed guide belongs.
QString UserGuideLocation();
// Hands the guide to the desktop's viewer; false when there is no guide or no viewer took it.
bool OpenUserGuideInDesktop();

}  // namespace kx::ui
