#include "render/raw_view_render.h"

#include "render/view_text.h"
#include "waveform/band_view_geometry.h"

namespace kx {

void RenderRawView(QPainter& p, int width, const PileRecord& rec, int selectedBlow) {
    const int n = rec.SampleCount();
    for (int j = 0; j < kRawBandCount; ++j) {
        const int32_t b = BandTop(j);
        // Label box (0, b + 1) .. (30, b + 30), right and bottom exclusive.
        QPen dotted(Qt::black, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::white);
        p.drawRect(QRect(0, b + 1, 29, 28));
        p.setBrush(Qt::NoBrush);
        if (j == selectedBlow) {
            p.fillRect(QRect(QPoint(1, b + 2), QPoint(28, b + 28)), QColor(0, 255, 25));
        }
        p.setPen(Qt::black);
        p.drawText(QRect(0, b + 1, 30, 29), Qt::AlignCenter | Qt::TextSingleLine,
                   QString("%1#").arg(j + 1));

        p.setPen(QPen(Qt::black, 1));
        p.drawLine(0, b + kBandHeight, width, b + kBandHeight);
        p.setPen(DottedGreyPen());
        p.drawLine(0, BandZeroLineY(b), width, BandZeroLineY(b));

        if (!rec.waveAbsent[static_cast<size_t>(j)]) {
            p.setPen(QPen(QColor(0, 0, 255), 1));
            DrawPlot(p, BandPlot(rec.waves[static_cast<size_t>(j)].data(), n, width, b));
        }
    }
}

}  // namespace kx
