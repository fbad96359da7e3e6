// A polyline with the points dropped that change nothing of its shape: a point repeating the
// one before it, and a point lying exactly on the straight line from its predecessor to its
// successor while the line goes on in the same direction. A waveform on a page at printer
// resolution is mostly such straight runs (flat lead-in, steady slopes), and the PDF writer
// spends most of its time compressing their points.
#pragma once

#include <span>
#include <vector>

#include "print/report_page_layout.h"

namespace kx {

std::vector<ReportPoint> WithoutStraightThroughPoints(std::span<const ReportPoint> points);

}  // namespace kx
