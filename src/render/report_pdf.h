// The report as a PDF file: the pages the preview shows, drawn by RenderReportPage on a
// 600-dpi A4 page. kxtool report --pdf and the window's 输出PDF both write through here.
#pragma once

#include <QPageLayout>
#include <string>

#include "print/print_settings.h"
#include "print/report_page_layout.h"
#include "record/status.h"
#include "record/task_progress.h"

class QPagedPaintDevice;

namespace kx {

// The resolution every report page is laid out for: the page constants are printer pixels of
// a 600-dpi page. Printers and PDF writers are set to it (Qt's high-resolution printer would
// report 1200 dpi and halve the page).
inline constexpr int kReportDpi = 600;

// A4 portrait inside 4-mm margins, about the part of the sheet a printer reaches, so that a
// PDF page looks like the printed one.
QPageLayout ReportPdfPageLayout();

// Renders pages 1 to `pages` of the report onto a device already set up (page size and
// kReportDpi resolution), starting a new page between them. Stops early, returning false, if
// the device cannot start or take a page.
bool RenderReportPages(QPagedPaintDevice& device, const PrintSettings& s,
                       const ReportEntries& entries, int firstPage, int lastPage);

// Writes the whole report as a PDF to `path`, through a temporary file renamed over it when
// complete, so a failure leaves no partial report and any old file as it was. An empty print
// list is refused (a PDF has at least one page). `progress` hears of each page drawn; when it
// is cancelled the drawing stops and nothing is written (reason kTaskCancelled).
Status WriteReportPdf(const std::string& path, const PrintSettings& s, const ReportEntries& entries,
                      TaskProgress* progress = nullptr);

}  // namespace kx
