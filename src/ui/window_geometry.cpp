#include "ui/window_geometry.h"

#include <QByteArray>
#include <QSettings>
#include <QWidget>

namespace kx::ui {

namespace {
constexpr const char* kGeometryKey = "MainWindow/Geometry";
}

bool RestoreWindowGeometry(QWidget& window) {
    const QByteArray saved = QSettings().value(kGeometryKey).toByteArray();
    // Qt moves a place that is off every screen now back onto one.
    return !saved.isEmpty() && window.restoreGeometry(saved);
}

void SaveWindowGeometry(const QWidget& window) {
    QSettings().setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace kx::ui
