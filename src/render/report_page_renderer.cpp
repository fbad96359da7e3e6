#include "render/report_page_renderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <vector>

#include "print/straight_runs.h"
#include "render/fonts.h"

namespace kx {

namespace {

const QColor kMarkerGrey(186, 186, 186);

// One device pixel wide at any scale, like a 1-pixel pen on the printer.
QPen ThinPen(const QColor& colour, Qt::PenStyle style) {
    QPen pen(colour, 1, style);
    pen.setCosmetic(true);
    return pen;
}

QPoint ToQt(const ReportPoint& p) {
    return QPoint(p.x, p.y);
}

void DrawLine(QPainter& painter, const ReportLine& l) {
    painter.drawLine(ToQt(l.from), ToQt(l.to));
}

QFont SongFont(int32_t height) {
    QFont font(QString::fromUtf8(ui::kSongFace));
    font.setPixelSize(std::max(1, height));
    return font;
}

// Text hangs from its top-left corner, black on an opaque white cell, so it covers the lines
// drawn before it.
void DrawText(QPainter& painter, const ReportText& t) {
    if (painter.font().pixelSize() != std::max(1, t.height)) {
        painter.setFont(SongFont(t.height));
    }
    const QString text = QString::fromUtf8(t.text);
    const QFontMetrics fm = painter.fontMetrics();
    painter.fillRect(QRect(t.at.x, t.at.y, fm.horizontalAdvance(text), fm.height()), Qt::white);
    painter.drawText(QPoint(t.at.x, t.at.y + fm.ascent()), text);
}

void DrawTexts(QPainter& painter, const std::vector<ReportText>& texts) {
    for (const ReportText& t : texts) {
        DrawText(painter, t);
    }
}

}  // namespace

void PaintReportBlock(QPainter& painter, const ReportBlock& b, const QColor& markerColour) {
    painter.setPen(Qt::black);
    DrawTexts(painter, b.header);

    painter.setPen(ThinPen(Qt::black, Qt::SolidLine));
    for (const ReportLine& l : b.frame) {
        DrawLine(painter, l);
    }
    if (b.zeroLine) {
        painter.setPen(ThinPen(Qt::black, Qt::DotLine));
        DrawLine(painter, *b.zeroLine);
    }
    const QPen wavePen = ThinPen(Qt::black, Qt::SolidLine);
    if (b.wave.size() > 1) {
        // Into a PDF (a file or the printer) the straight runs go as one segment each: the
        // same strokes, a fraction of the page stream to compress.
        const bool pdf =
            painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Pdf;
        const std::vector<ReportPoint> simplified =
            pdf ? WithoutStraightThroughPoints(b.wave) : std::vector<ReportPoint>();
        const std::vector<ReportPoint>& wave = pdf ? simplified : b.wave;
        std::vector<QPoint> points;
        points.reserve(wave.size());
        for (const ReportPoint& p : wave) {
            points.push_back(ToQt(p));
        }
        painter.setPen(wavePen);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    painter.setPen(ThinPen(markerColour, Qt::DotLine));
    for (const ReportLine& l : b.markers) {
        DrawLine(painter, l);
    }
    painter.setPen(wavePen);
    for (const ReportLine& l : b.rulerTicks) {
        DrawLine(painter, l);
    }
    painter.setPen(Qt::black);
    DrawTexts(painter, b.rulerLabels);
    DrawTexts(painter, b.column);
    if (b.pileBar && b.pileBar->right > b.pileBar->left && b.pileBar->bottom > b.pileBar->top) {
        const ReportRect& r = *b.pileBar;
        painter.setPen(wavePen);
        painter.setBrush(kMarkerGrey);
        painter.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
        painter.setBrush(Qt::NoBrush);
    }
}

void PaintReportLayout(QPainter& painter, const ReportPageLayout& layout) {
    ui::InstallFontSubstitutes();
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);

    // The title, centred on one line in its rectangle.
    painter.setFont(SongFont(kTitleFontHeight));
    const QRect titleRect(QPoint(layout.titleRect.left, layout.titleRect.top),
                          QPoint(layout.titleRect.right - 1, layout.titleRect.bottom - 1));
    const QString title = QString::fromUtf8(layout.title);
    const QRect used = painter.boundingRect(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title);
    painter.fillRect(used, Qt::white);
    painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title);

    for (const ReportBlock& b : layout.blocks) {
        PaintReportBlock(painter, b, kMarkerGrey);
    }
    painter.setPen(Qt::black);
    DrawTexts(painter, layout.footer);
    DrawTexts(painter, layout.body);
    painter.restore();
}

void RenderReportPage(QPainter& painter, const PrintSettings& s, const ReportEntries& entries,
                      int page, const QRect& d) {
    const ReportRect rect{d.x(), d.y(), d.x() + d.width(), d.y() + d.height()};
    PaintReportLayout(painter, LayoutReportPage(s, entries, page, rect));
}

}  // namespace kx
