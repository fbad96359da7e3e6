#include "render/impedance_view_render.h"

#include <QFontMetrics>

#include "analysis/impedance_view_geometry.h"
#include "render/view_text.h"

namespace kx {

void RenderImpedanceView(QPainter& p, QSize client, const ImpedanceViewScene& scene) {
    if (scene.profile == nullptr) {
        return;
    }
    const int w = client.width();
    const int h = client.height();
    p.fillRect(0, 0, w, h, Qt::white);
    const QFontMetrics fm(p.font());
    const auto plot = ComputeImpedancePlot(*scene.profile, scene.pileLengthM, w, h);
    if (!plot) {
        const QString note = "未能从这根桩的波形中得出阻抗曲线";
        DrawViewText(p, (w - fm.horizontalAdvance(note)) / 2, h / 2 - fm.height() / 2, note);
        return;
    }
    const QRect frame(QPoint(plot->left, plot->top), QPoint(plot->right, plot->bottom));

    // Grid and ticks.
    for (const AxisTick& t : plot->depthTicks) {
        p.setPen(DottedGreyPen());
        p.drawLine(t.at, frame.top(), t.at, frame.bottom());
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(t.at, frame.bottom(), t.at, frame.bottom() + 5);
        const QString label = QString::fromStdString(t.label);
        DrawViewText(p, t.at - fm.horizontalAdvance(label) / 2, frame.bottom() + 7, label);
    }
    for (const AxisTick& t : plot->impedanceTicks) {
        p.setPen(DottedGreyPen());
        p.drawLine(frame.left(), t.at, frame.right(), t.at);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(frame.left() - 5, t.at, frame.left(), t.at);
        const QString label = QString::fromStdString(t.label);
        DrawViewText(p, frame.left() - 8 - fm.horizontalAdvance(label), t.at - fm.height() / 2,
                     label);
    }
    // The head's impedance, which the profile is relative to.
    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DashLine));
    p.drawLine(frame.left(), plot->unitY, frame.right(), plot->unitY);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(frame);

    const QString depthCaption = "深度(m)";
    DrawViewText(p, frame.right() - fm.horizontalAdvance(depthCaption),
                 frame.bottom() + 9 + fm.height(), depthCaption);
    DrawViewText(p, frame.left(), frame.top() - fm.height() - 6, "相对阻抗 (桩顶为 1)");

    if (plot->pileLengthX) {
        const QColor blue(0, 0, 255);
        p.setPen(QPen(blue, 1));
        p.drawLine(*plot->pileLengthX, frame.top(), *plot->pileLengthX, frame.bottom());
        const QString caption = QString::fromStdString(PileLengthCaption(scene.pileLengthM));
        // A label with a few pixels of blue around its text, right of the line, or left of it
        // where the frame ends first.
        const int pad = 3;
        const int width = fm.horizontalAdvance(caption) + 2 * pad;
        const int x = *plot->pileLengthX + 4 + width < frame.right()
                          ? *plot->pileLengthX + 4
                          : *plot->pileLengthX - 4 - width;
        p.fillRect(QRect(x, frame.top() + 4, width, fm.height()), blue);
        DrawViewText(p, x + pad, frame.top() + 4, caption, Qt::white, blue);
    }

    p.setPen(QPen(QColor(200, 0, 0), 2));
    DrawPlot(p, plot->curve);
}

}  // namespace kx
