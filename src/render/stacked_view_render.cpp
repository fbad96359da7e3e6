#include "render/stacked_view_render.h"

#include "render/view_text.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {
namespace {

// A marker: a full-height line in its colour and its name in white on that colour.
void DrawMarker(QPainter& p, int32_t x, int height, const QColor& color, const char* name) {
    p.setPen(QPen(color, 1));
    p.drawLine(x, 0, x, height);
    DrawViewText(p, x, 480, QString::fromUtf8(name), Qt::white, color);
}

}  // namespace

void RenderStackedView(QPainter& p, QSize client, const StackedViewScene& scene) {
    if (scene.markers == nullptr || scene.markers->record == nullptr) {
        return;
    }
    const MarkerState& m = *scene.markers;
    const PileRecord& rec = *m.record;
    const int w = client.width();
    const int h = client.height();

    p.fillRect(0, 0, w, h, Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(0, kAxisY, w, kAxisY);
    p.setPen(DottedGreyPen());
    p.drawLine(0, kZeroLineY, w, kZeroLineY);

    p.setPen(QPen(Qt::black, 1));
    DrawPlot(p, StackedPlot(rec.waves[kStackedSlot].data(), rec.SampleCount(), w, scene.zoom));

    if (m.dragging) {
        DrawViewText(
            p, m.cursorX, 100,
            QString::fromStdString(LiveText(m.fixMode, scene.liveSpeed, scene.liveLength)));
    }

    // The pile bar stands for the pile between the top and bottom markers.
    const int e = (h - kAxisY) / 2;
    DrawViewText(p, m.topX + 20, e + 410, QString::fromStdString(PileBarText(rec.pileLength)));
    if (m.bottomX > m.topX) {
        p.fillRect(QRect(QPoint(m.topX, e + 430), QPoint(m.bottomX - 1, e + 469)), Qt::black);
    }

    p.setPen(DottedGreyPen());
    p.drawLine(m.cursorX, 0, m.cursorX, h);

    if (m.showDefect && m.defectX != 0) {
        DrawMarker(p, m.defectX, h, QColor(0, 255, 0), "缺陷");
    }
    if (m.showBottom) {
        DrawMarker(p, m.bottomX, h, QColor(0, 0, 255), "桩底");
    }
    if (m.showTop) {
        DrawMarker(p, m.topX, h, QColor(255, 0, 0), "桩顶");
    }
}

}  // namespace kx
