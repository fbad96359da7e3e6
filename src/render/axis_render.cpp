#include "render/axis_render.h"

#include <QFontMetrics>

#include "render/view_text.h"

namespace kx {

namespace {

constexpr int kMajorTick = 6;
constexpr int kMinorTick = 3;

}  // namespace

void RenderAxis(QPainter& p, const LinearAxis& axis, int y, int width, const QString& unit) {
    const QFontMetrics fm(p.font());
    const int unitWidth = fm.horizontalAdvance(unit);
    const int labelsTo = width - unitWidth - 8;  // the unit keeps the right end
    int labelsFrom = 0;
    p.setPen(QPen(QColor(96, 96, 96), 1));
    for (const ScaleTick& tick : axis.ticks) {
        p.drawLine(tick.x, y, tick.x, y + (tick.labelled ? kMajorTick : kMinorTick));
        if (!tick.labelled) {
            continue;
        }
        const QString label = QString::fromStdString(AxisLabel(tick.value, axis.step));
        const int w = fm.horizontalAdvance(label);
        const int left = std::max(0, tick.x - w / 2);
        if (left < labelsFrom || left + w > labelsTo) {
            continue;  // a label that would run into another is left out
        }
        DrawViewText(p, left, y + kMajorTick + 1, label, QColor(64, 64, 64));
        labelsFrom = left + w + 4;
    }
    if (!axis.ticks.empty()) {
        DrawViewText(p, width - unitWidth - 4, y + kMajorTick + 1, unit, QColor(64, 64, 64));
    }
}

}  // namespace kx
