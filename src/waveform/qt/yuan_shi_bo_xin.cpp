#include "waveform/qt/yuan_shi_bo_xin.h"
#include "widgets/view_buffer.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "render/raw_view_render.h"
#include "res/ids.h"
#include "waveform/band_view_geometry.h"

namespace kx {

namespace {
constexpr int kPictureWidth = 1000;  // the scroll extent, 1000 x 1200
}  // namespace

CYuanShiBoXin::CYuanShiBoXin(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::number(id::kRawView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    UpdateScrollRange();
}

bool CYuanShiBoXin::FileSelected() const {
    return m_record != nullptr && (!m_hooks.fileSelected || m_hooks.fileSelected());
}

bool CYuanShiBoXin::HasBands() const {
    return FileSelected() && m_record->SampleCount() >= 1;
}

void CYuanShiBoXin::SetRecord(PileRecord* record) {
    m_record = record;
    viewport()->update();
}

void CYuanShiBoXin::SetSelectedBlow(int blow) {
    m_selectedBlow = blow;
    viewport()->update();
}

void CYuanShiBoXin::UpdateScrollRange() {
    const QSize v = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kPictureWidth - v.width()));
    horizontalScrollBar()->setPageStep(v.width());
    verticalScrollBar()->setRange(0, std::max(0, kRawPictureHeight - v.height()));
    verticalScrollBar()->setPageStep(v.height());
}

void CYuanShiBoXin::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CYuanShiBoXin::Paint(QPainter& p) const {
    if (!HasBands()) {
        return;
    }
    const int w = viewport()->width();
    p.fillRect(QRect(QPoint(0, 0), viewport()->size()), Qt::white);
    p.save();
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    RenderRawView(p, w, *m_record, m_selectedBlow);
    p.restore();
}

void CYuanShiBoXin::paintEvent(QPaintEvent*) {
    if (!HasBands()) {
        return;
    }
    m_buffer.Paint(viewport(), [this](QPainter& off) { Paint(off); });
}

bool CYuanShiBoXin::SelectAt(QPoint pos) {
    if (!HasBands()) {
        return false;
    }
    // The hit areas follow the scroll position; a separator row selects nothing.
    const int blow = BlowAt(pos.x(), pos.y() + verticalScrollBar()->value(), viewport()->width());
    if (blow >= 0) {
        SetSelectedBlow(blow);
    }
    return true;
}

void CYuanShiBoXin::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!FileSelected()) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        SelectAt(pos);
    } else if (event->button() == Qt::RightButton) {
        SelectAt(pos);
        if (m_contextMenu != nullptr) {
            m_contextMenu->popup(viewport()->mapToGlobal(pos));
        }
    }
}

void CYuanShiBoXin::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();
            return;
        case Qt::Key_X:
        case Qt::Key_Delete:
            // The letters are plain keys; with a modifier they are someone else's shortcut.
            if (event->modifiers() & ~Qt::KeypadModifier) {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
            if (m_hooks.command) {
                m_hooks.command(id::kCmdDeleteBlow);
            }
            return;
        case Qt::Key_B:
            if (event->modifiers() & ~Qt::KeypadModifier) {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
            if (m_hooks.command) {
                m_hooks.command(id::kCmdUndoDeleteBlow);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace kx
