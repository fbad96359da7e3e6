#include "render/spectrum_view_render.h"

#include "render/view_text.h"

namespace kx {

void RenderSpectrumView(QPainter& p, QSize client, const SpectrumViewScene& scene) {
    if (scene.spectrum == nullptr) {
        return;
    }
    const int w = client.width();
    const int h = client.height();
    p.fillRect(0, 0, w, h, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    DrawPlot(p, SpectrumPlot(*scene.spectrum, scene.count, w, h, scene.zoom));
    p.setPen(DottedGreyPen());
    p.drawLine(scene.cursorX, 0, scene.cursorX, h);
    DrawViewText(p, w - 200, 100, QString::fromStdString(scene.readout.speedText));
    DrawViewText(p, w - 200, 130, QString::fromStdString(scene.readout.frequencyText));
    DrawViewText(p, w - 200, 160, QString::fromStdString(scene.readout.lengthText));
}

}  // namespace kx
