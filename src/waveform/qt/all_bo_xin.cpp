#include "waveform/qt/all_bo_xin.h"
#include "widgets/view_buffer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "res/ids.h"
#include "waveform/band_view_geometry.h"

namespace kx {

CAllBoXin::CAllBoXin(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::number(id::kAllView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // The bands are as wide as the view: no horizontal scrolling.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
}

void CAllBoXin::SetRowSource(RowSource source) {
    m_rowSource = std::move(source);
    viewport()->update();
}

void CAllBoXin::SetRowCount(int rows) {
    m_rowCount = std::max(0, rows);
    UpdateScrollRange();
    viewport()->update();
}

void CAllBoXin::UpdateScrollRange() {
    const int height = viewport()->height();
    const int64_t picture = static_cast<int64_t>(kBandHeight) * m_rowCount;
    verticalScrollBar()->setRange(
        0, static_cast<int>(std::clamp<int64_t>(picture - height, 0, INT32_MAX)));
    verticalScrollBar()->setPageStep(height);
}

void CAllBoXin::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CAllBoXin::scrollContentsBy(int dx, int dy) {
    // Moves what is on the screen; only the rows scrolled into view are painted anew.
    viewport()->scroll(dx, dy);
}

void CAllBoXin::Paint(QPainter& p, const QRect& exposed) const {
    const int scroll = verticalScrollBar()->value();
    p.save();
    p.translate(0, -scroll);
    RenderAllView(p, viewport()->width(), exposed.translated(0, scroll), m_rowCount, m_rowSource);
    p.restore();
}

void CAllBoXin::paintEvent(QPaintEvent* event) {
    // Straight onto the window: only the exposed bands are drawn.
    QPainter p(viewport());
    ui::SmoothOnScaledScreens(p, viewport());
    Paint(p, event->rect());
}

void CAllBoXin::mousePressEvent(QMouseEvent*) {
    setFocus(Qt::MouseFocusReason);
}

int CAllBoXin::RowAt(int y) const {
    const int64_t pictureY = static_cast<int64_t>(y) + verticalScrollBar()->value();
    const int64_t row = pictureY >= 0 ? pictureY / kBandHeight : -1;
    return row >= 0 && row < m_rowCount ? static_cast<int>(row) : -1;
}

void CAllBoXin::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = RowAt(static_cast<int>(event->position().y()));
    if (event->button() == Qt::LeftButton && row >= 0 && m_openRow) {
        m_openRow(row);
    }
}

void CAllBoXin::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace kx
