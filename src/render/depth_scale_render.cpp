#include "render/depth_scale_render.h"

#include <QFontMetrics>
#include <QPolygon>

#include "render/view_text.h"

namespace kx {

namespace {

constexpr int kMajorTick = 6;
constexpr int kMinorTick = 3;
constexpr int kTriangleHalfWidth = 5;
constexpr int kTriangleHeight = 9;

}  // namespace

QColor DefectMarkColor(DefectKind kind) {
    return kind == DefectKind::kNecking ? QColor(255, 128, 0) : QColor(0, 150, 150);
}

void RenderDepthScale(QPainter& p, const DepthScale& scale,
                      const std::vector<DefectMark>& defects) {
    const QFontMetrics fm(p.font());
    const int y = scale.baselineY;
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(scale.fromX, y, scale.toX, y);

    // The caption left of the scale's start when there is room, else above the line at the
    // left edge; a label that would run into another is left out.
    const QString caption = "深度(m)";
    const int captionWidth = fm.horizontalAdvance(caption);
    int labelsFrom = 0;
    if (scale.fromX >= captionWidth + 8) {
        DrawViewText(p, scale.fromX - captionWidth - 6, y + 2, caption);
    } else {
        DrawViewText(p, 2, y - fm.height() - 2, caption);
    }
    for (const DepthTick& tick : scale.ticks) {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(tick.x, y, tick.x, y + (tick.labelled ? kMajorTick : kMinorTick));
        if (!tick.labelled) {
            continue;
        }
        const QString label = QString::fromStdString(DepthLabel(tick.depthM, scale.stepM));
        const int width = fm.horizontalAdvance(label);
        const int left = tick.x - width / 2;
        if (left < labelsFrom || left + width > scale.toX + 1) {
            continue;
        }
        DrawViewText(p, left, y + kMajorTick + 1, label);
        labelsFrom = left + width + 4;
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    for (const DefectMark& mark : defects) {
        const QColor color = DefectMarkColor(mark.kind);
        p.setPen(QPen(color, 1));
        p.setBrush(color);
        const QPolygon triangle({QPoint(mark.x - kTriangleHalfWidth, y - kTriangleHeight - 1),
                                 QPoint(mark.x + kTriangleHalfWidth, y - kTriangleHeight - 1),
                                 QPoint(mark.x, y - 1)});
        p.drawPolygon(triangle);
    }
    p.setBrush(Qt::NoBrush);
}

}  // namespace kx
