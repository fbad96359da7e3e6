// Text as the waveform views draw it: anchored at its top-left corner, on an opaque cell of
// the font's height and the text's advance, in the painter's current font.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>
#include <vector>

#include "waveform/stacked_view_geometry.h"

namespace kx {

void DrawViewText(QPainter& p, int x, int y, const QString& text, const QColor& ink = Qt::black,
                  const QColor& background = Qt::white);

// A polyline through the plot points with the painter's pen.
void DrawPlot(QPainter& p, const std::vector<PlotPoint>& points);

// The dotted grey pen of the zero lines and cursors: RGB(168,168,168), width 1.
QPen DottedGreyPen();

}  // namespace kx
