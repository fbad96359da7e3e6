#include "render/view_text.h"

#include <QFontMetrics>
#include <QPoint>

namespace kx {

void DrawViewText(QPainter& p, int x, int y, const QString& text, const QColor& ink,
                  const QColor& background) {
    const QFontMetrics fm(p.font());
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), background);
    p.setPen(ink);
    p.drawText(QPoint(x, y + fm.ascent()), text);
}

void DrawPlot(QPainter& p, const std::vector<PlotPoint>& points) {
    if (points.size() < 2) {
        return;
    }
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const PlotPoint& pt : points) {
        q.emplace_back(pt.x, pt.y);
    }
    p.drawPolyline(q.data(), static_cast<int>(q.size()));
}

QPen DottedGreyPen() {
    QPen pen(QColor(168, 168, 168));
    pen.setWidth(1);
    pen.setStyle(Qt::DotLine);
    return pen;
}

}  // namespace kx
