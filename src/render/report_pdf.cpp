#include "render/report_pdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "record/file_io.h"
#include "render/report_page_renderer.h"

namespace kx {

QPageLayout ReportPdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(4, 4, 4, 4),
                       QPageLayout::Millimeter);
}

bool RenderReportPages(QPagedPaintDevice& device, const PrintSettings& s,
                       const ReportEntries& entries, int firstPage, int lastPage) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QRect d(0, 0, device.width(), device.height());
    for (int page = firstPage; page <= lastPage; ++page) {
        if (page > firstPage && !device.newPage()) {
            return false;
        }
        RenderReportPage(painter, s, entries, page, d);
    }
    return painter.end();
}

Status WriteReportPdf(const std::string& path, const PrintSettings& s, const ReportEntries& entries,
                      TaskProgress* progress) {
    const int pages = ReportPageCount(s, entries.count);
    if (pages == 0) {
        return Status::Fail("the print list is empty");
    }
    // The pages are made in memory and written in one go by the atomic writer.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kReportDpi);
        writer.setPageLayout(ReportPdfPageLayout());
        writer.setTitle(QString::fromUtf8(s.title));
        writer.setCreator(QStringLiteral("KX系列基桩低应变分析系统"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Status::Fail("cannot render the report pages");
        }
        const QRect d(0, 0, writer.width(), writer.height());
        const ReportRect rect{d.x(), d.y(), d.x() + d.width(), d.y() + d.height()};
        if (s.coverPage) {
            PaintReportLayout(painter, LayoutReportCover(s, rect));
            if (!writer.newPage()) {
                return Status::Fail("cannot render the report pages");
            }
        }
        for (int page = 1; page <= pages; ++page) {
            if (progress != nullptr && progress->Cancelled()) {
                painter.end();
                return Status::Fail(kTaskCancelled);
            }
            if (page > 1 && !writer.newPage()) {
                return Status::Fail("cannot render the report pages");
            }
            RenderReportPage(painter, s, entries, page, d);
            if (progress != nullptr) {
                progress->Advance(static_cast<size_t>(page), static_cast<size_t>(pages));
            }
        }
        if (!painter.end()) {
            return Status::Fail("cannot render the report pages");
        }
    }
    if (progress != nullptr && progress->Cancelled()) {
        return Status::Fail(kTaskCancelled);
    }
    const QByteArray& pdf = buffer.data();
    return WriteFileAtomically(path, std::vector<uint8_t>(pdf.begin(), pdf.end()));
}

}  // namespace kx
