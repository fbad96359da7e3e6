// The printing view of the print preview window: it owns the page count and draws a page with
// RenderReportPage, for the preview on the screen and for the printer alike, and carries out
// the print command (the system's print dialog, then the pages chosen there).
#pragma once

#include <QPageLayout>
#include <QRect>
#include <functional>
#include <string>

#include "print/print_settings.h"
#include "print/report_page_layout.h"
#include "record/status.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kx::ui {

class CSevView {
public:
    CSevView(const PrintSettings& settings, ReportEntries entries);

    // The report's pages: the print list's entries over the piles per page, rounded up.
    int PageCount() const;
    // The page the preview shows: the report page of the PDF (A4 within a printer's margins).
    QPageLayout PageLayout() const;
    // Draws page `page` in the drawing rectangle `d` (600-dpi device pixels).
    void DrawPage(QPainter& painter, int page, const QRect& d) const;
    // Pages drawn so far (the preview draws a page only when it is shown).
    int PagesDrawn() const { return m_pagesDrawn; }

    // The print command: the print dialog, then every page of the range chosen there.
    // Returns whether anything was printed.
    bool Print(QWidget* parent);
    // Pages `from` to `to` onto a printer that is set up already.
    bool PrintPages(QPrinter& printer, int from, int to) const;

    // The print dialog's part of Print: sets the printer up and says which pages (1-based,
    // inclusive) to print; false when cancelled. The system's dialog unless replaced.
    using AskPrinter =
        std::function<bool(QPrinter& printer, int pageCount, QWidget* parent, int& from, int& to)>;
    void SetAskPrinter(AskPrinter ask) { m_askPrinter = std::move(ask); }

private:
    const PrintSettings& m_settings;
    ReportEntries m_entries;
    AskPrinter m_askPrinter;
    mutable int m_pagesDrawn = 0;
};

// The printer as the report pages need it: 600 dpi (not the 1200 of Qt's high-resolution
// mode, which would halve every page constant), starting on the report's A4 page.
void PrepareReportPrinter(QPrinter& printer);

}  // namespace kx::ui
