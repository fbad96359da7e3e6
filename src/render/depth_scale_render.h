// The stacked view's 深度标尺 on any painter, drawn over the view's picture when the option is
// on: the scale's line from the pile-top marker, its ticks with their depths, the caption, and
// the found defects as small triangles standing on the line.
#pragma once

#include <QPainter>
#include <vector>

#include "analysis/depth_scale_geometry.h"

namespace kx {

// Necking and bulge, as the triangles show them.
QColor DefectMarkColor(DefectKind kind);

void RenderDepthScale(QPainter& p, const DepthScale& scale, const std::vector<DefectMark>& defects);

}  // namespace kx
