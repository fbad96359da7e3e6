#include "print/qt/sev_view.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "render/report_page_renderer.h"
#include "render/report_pdf.h"

namespace kx::ui {

namespace {

bool AskWithPrintDialog(QPrinter& printer, int pageCount, QWidget* parent, int& from, int& to) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    from = 1;
    to = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = std::min(pageCount, std::max(from, printer.toPage()));
    }
    return true;
}

}  // namespace

void PrepareReportPrinter(QPrinter& printer) {
    printer.setPageLayout(ReportPdfPageLayout());
    printer.setResolution(kReportDpi);
}

CSevView::CSevView(const PrintSettings& settings, ReportEntries entries)
    : m_settings(settings), m_entries(std::move(entries)), m_askPrinter(AskWithPrintDialog) {}

int CSevView::PageCount() const {
    return ReportPageCount(m_settings, m_entries.count);
}

QPageLayout CSevView::PageLayout() const {
    return ReportPdfPageLayout();
}

void CSevView::DrawPage(QPainter& painter, int page, const QRect& d) const {
    ++m_pagesDrawn;
    RenderReportPage(painter, m_settings, m_entries, page, d);
}

bool CSevView::Print(QWidget* parent) {
    const int pages = PageCount();
    if (pages == 0) {
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    PrepareReportPrinter(printer);
    int from = 1;
    int to = pages;
    if (!m_askPrinter(printer, pages, parent, from, to)) {
        return false;
    }
    // The dialog may have chosen another printer or paper; the resolution stays the report's.
    printer.setResolution(kReportDpi);
    return PrintPages(printer, from, to);
}

bool CSevView::PrintPages(QPrinter& printer, int from, int to) const {
    m_pagesDrawn += std::max(0, to - from + 1);
    return RenderReportPages(printer, m_settings, m_entries, from, to);
}

}  // namespace kx::ui
