// The main window's place and size between runs, kept with QSettings.
#pragma once

class QWidget;

namespace kx::ui {

// Puts `window` where it was when SaveWindowGeometry last ran (maximized again if it was);
// false when nothing was saved yet or the saved state cannot be read.
bool RestoreWindowGeometry(QWidget& window);
void SaveWindowGeometry(const QWidget& window);

}  // namespace kx::ui
