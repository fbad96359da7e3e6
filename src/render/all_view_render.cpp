#include "render/all_view_render.h"

#include "render/view_text.h"
#include "waveform/band_view_geometry.h"

namespace kx {

void RenderAllView(QPainter& p, int width, const QRect& exposed, int rowCount,
                   const AllViewRowSource& rows) {
    if (!rows) {
        return;
    }
    const BandRange range = BandsIntersecting(exposed.top(), exposed.bottom() + 1, rowCount);
    const QPen separator(Qt::black, 1);
    const QPen curve(Qt::black, 1);
    const QPen zero = DottedGreyPen();
    for (int i = range.first; i < range.last; ++i) {
        const int32_t t = BandTop(i);
        const AllViewRow row = rows(i);
        DrawViewText(p, 5, t + 5, row.name);
        p.setPen(separator);
        p.drawLine(0, t + kBandHeight, width, t + kBandHeight);
        p.setPen(zero);
        p.drawLine(0, BandZeroLineY(t), width, BandZeroLineY(t));
        if (row.record != nullptr) {
            p.setPen(curve);
            DrawPlot(p, BandPlot(row.record->waves[kStackedSlot].data(), row.record->SampleCount(),
                                 width, t));
        }
    }
}

}  // namespace kx
