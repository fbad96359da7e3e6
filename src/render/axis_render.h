// The optional axes (视图 > 频率坐标, 时间深度坐标): ticks down from a horizontal line, the values
// under the labelled ones, the unit at the right end.
#pragma once

#include <QPainter>
#include <QString>

#include "waveform/axis_geometry.h"

namespace kx {

// Draws `axis` hanging from the line y across a view `width` pixels wide.
void RenderAxis(QPainter& p, const LinearAxis& axis, int y, int width, const QString& unit);

}  // namespace kx
