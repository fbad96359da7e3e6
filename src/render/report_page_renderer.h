// Draws one report page onto any QPainter: the preview's screen, the printer page and the PDF
// page all come from here, so they cannot differ.
#pragma once

#include <QColor>
#include <QRect>

#include "print/print_settings.h"
#include "print/report_page_layout.h"

class QPainter;

namespace kx {

// Draws page `page` (1-based) of the report of `entries` in the drawing rectangle `d`, in
// device pixels of a 600-dpi page (the painter may scale them, as the preview does). Pens are
// one device pixel wide whatever the scale.
void RenderReportPage(QPainter& painter, const PrintSettings& s, const ReportEntries& entries,
                      int page, const QRect& d);

// Draws a page already laid out.
void PaintReportLayout(QPainter& painter, const ReportPageLayout& layout);

// Draws one pile block (also a block of the Word figures, whose marker lines are red).
void PaintReportBlock(QPainter& painter, const ReportBlock& b, const QColor& markerColour);

}  // namespace kx
