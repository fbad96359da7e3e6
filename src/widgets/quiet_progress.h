// A progress bar's new position without the immediate repaint QProgressBar::setValue makes
// whenever its text changes: the bar is drawn with the window's next paint instead. Work
// that reports progress many times a second would otherwise stop the event loop for a paint
// and a flush of the window every time (milliseconds each on a real display).
#pragma once

class QProgressBar;

namespace kx::ui {

void SetProgressQuietly(QProgressBar* bar, int minimum, int maximum, int value);

}  // namespace kx::ui
