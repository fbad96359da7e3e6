#include "print/qt/sev_preview_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "print/qt/sev_view.h"
#include "render/report_pdf.h"

namespace kx::ui {

namespace {

constexpr int kGap = 16;  // grey border around and between the sheets
constexpr int kShadow = 3;

}  // namespace

CSevPreviewView::CSevPreviewView(CSevView& view, QWidget* parent)
    : QAbstractScrollArea(parent), m_view(view) {
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

int CSevPreviewView::LastPage() const {
    return std::max(1, m_view.PageCount());
}

bool CSevPreviewView::CanGoNext() const {
    return m_page + (ShowsTwoPages() ? 1 : 0) < LastPage();
}

void CSevPreviewView::NextPage() {
    if (CanGoNext()) {
        ++m_page;
        Changed();
    }
}

void CSevPreviewView::PrevPage() {
    if (CanGoPrev()) {
        --m_page;
        Changed();
    }
}

void CSevPreviewView::ToggleTwoPages() {
    if (CanToggleTwoPages()) {
        m_twoPages = !m_twoPages;
        if (ShowsTwoPages() && m_page == LastPage() && m_page > 1) {
            --m_page;  // the last page shows as the right one of a pair
        }
        Changed();
    }
}

void CSevPreviewView::ZoomIn() {
    if (CanZoomIn()) {
        ++m_zoom;
        Changed();
    }
}

void CSevPreviewView::ZoomOut() {
    if (CanZoomOut()) {
        --m_zoom;
        Changed();
    }
}

void CSevPreviewView::Changed() {
    UpdateScrollBars();
    viewport()->update();
    emit stateChanged();
}

QSize CSevPreviewView::PaperPixels() const {
    return m_view.PageLayout().fullRectPixels(kReportDpi).size();
}

double CSevPreviewView::Scale() const {
    const QSize paper = PaperPixels();
    const int across = ShowsTwoPages() ? 2 : 1;
    const double w = std::max(1, viewport()->width() - (across + 1) * kGap);
    const double h = std::max(1, viewport()->height() - 2 * kGap);
    const double fit = std::min(w / (across * paper.width()), h / paper.height());
    return fit * std::pow(2.0, m_zoom);
}

QSize CSevPreviewView::ContentSize() const {
    const QSize paper = PaperPixels();
    const double s = Scale();
    const int across = ShowsTwoPages() ? 2 : 1;
    const int w = static_cast<int>(paper.width() * s);
    const int h = static_cast<int>(paper.height() * s);
    return QSize(across * w + (across + 1) * kGap, h + 2 * kGap);
}

void CSevPreviewView::UpdateScrollBars() {
    const QSize content = ContentSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void CSevPreviewView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CSevPreviewView::scrollContentsBy(int, int) {
    viewport()->update();
}

// A page is drawn once for the size it is shown at, with the printer's page mapped onto the
// sheet on the screen; moving away from it lets it go.
const QImage& CSevPreviewView::PageImage(int page, const QSize& size) {
    auto it = m_images.find(page);
    if (it != m_images.end() && it->second.size() == size) {
        return it->second;
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPageLayout layout = m_view.PageLayout();
    const QRect full = layout.fullRectPixels(kReportDpi);
    const QRect paint = layout.paintRectPixels(kReportDpi);
    painter.scale(static_cast<double>(size.width()) / full.width(),
                  static_cast<double>(size.height()) / full.height());
    painter.translate(paint.topLeft());
    m_view.DrawPage(painter, page, QRect(QPoint(0, 0), paint.size()));
    painter.end();
    return m_images[page] = std::move(image);
}

void CSevPreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(128, 128, 128));
    const QSize paper = PaperPixels();
    const double s = Scale();
    const QSize sheet(static_cast<int>(paper.width() * s), static_cast<int>(paper.height() * s));
    const QSize content = ContentSize();
    // Centred when smaller than the window, scrolled when larger.
    const int x0 = content.width() < viewport()->width()
                       ? (viewport()->width() - content.width()) / 2
                       : -horizontalScrollBar()->value();
    const int y0 = content.height() < viewport()->height()
                       ? (viewport()->height() - content.height()) / 2
                       : -verticalScrollBar()->value();

    std::map<int, QImage> shown;
    const int count = ShowsTwoPages() ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        const int page = m_page + i;
        if (page > LastPage()) {
            break;
        }
        const QRect r(x0 + kGap + i * (sheet.width() + kGap), y0 + kGap, sheet.width(),
                      sheet.height());
        painter.fillRect(r.translated(kShadow, kShadow), Qt::black);
        painter.drawImage(r.topLeft(), PageImage(page, sheet));
        shown[page] = m_images[page];
    }
    m_images.swap(shown);
}

}  // namespace kx::ui
