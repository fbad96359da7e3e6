#include "widgets/quiet_progress.h"

#include <QProgressBar>

namespace kx::ui {

void SetProgressQuietly(QProgressBar* bar, int minimum, int maximum, int value) {
    if (bar->minimum() == minimum && bar->maximum() == maximum && bar->value() == value) {
        return;
    }
    // With updates off the repaint does nothing; turning them on again schedules an update.
    bar->setUpdatesEnabled(false);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}

}  // namespace kx::ui
