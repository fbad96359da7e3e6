#include "waveform/qt/my_pin_pu.h"
#include "widgets/view_buffer.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "render/axis_render.h"
#include "render/spectrum_view_render.h"
#include "res/ids.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {

CMyPinPu::CMyPinPu(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::number(id::kSpectrumView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

bool CMyPinPu::FileSelected() const {
    return m_computed && (!m_hooks.fileSelected || m_hooks.fileSelected());
}

void CMyPinPu::ComputeSpectrum(const PileRecord& rec) {
    kx::ComputeSpectrum(rec, m_spectrum);
    m_computed = true;
    m_count = rec.SampleCount();
    m_intervalUs = rec.sampleIntervalUs;
    m_dragging = false;
    m_zoom = 1;
    viewport()->update();
}

void CMyPinPu::Clear() {
    m_computed = false;
    viewport()->update();
}

void CMyPinPu::ZoomIn() {
    m_zoom = kx::ZoomIn(m_zoom);
    viewport()->update();
}

void CMyPinPu::ZoomOut() {
    m_zoom = kx::ZoomOut(m_zoom);
    viewport()->update();
}

void CMyPinPu::ResetZoom() {
    m_zoom = 1;
    viewport()->update();
}

SpectrumReadout CMyPinPu::Readout() const {
    return ReadSpectrumCursor(m_cursorX, viewport()->width(), m_zoom, m_count, m_intervalUs,
                              m_hooks.speedText ? m_hooks.speedText() : std::string());
}

void CMyPinPu::Paint(QPainter& p) const {
    if (!m_computed) {
        return;
    }
    SpectrumViewScene scene;
    scene.spectrum = &m_spectrum;
    scene.count = m_count;
    scene.zoom = m_zoom;
    scene.cursorX = m_cursorX;
    scene.readout = Readout();
    RenderSpectrumView(p, viewport()->size(), scene);
    if (m_axisShown) {
        const QSize client = viewport()->size();
        RenderAxis(p, FrequencyAxis(client.width(), m_zoom, m_count, m_intervalUs),
                   client.height() / 2, client.width(), "Hz");
    }
}

void CMyPinPu::SetFrequencyAxisShown(bool shown) {
    m_axisShown = shown;
    viewport()->update();
}

void CMyPinPu::wheelEvent(QWheelEvent* event) {
    if (!FileSelected() || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    if (event->angleDelta().y() > 0) {
        ZoomIn();
    } else {
        ZoomOut();
    }
    event->accept();
}

void CMyPinPu::paintEvent(QPaintEvent*) {
    if (!FileSelected()) {
        return;
    }
    m_buffer.Paint(viewport(), [this](QPainter& off) { Paint(off); });
}

void CMyPinPu::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::RightButton) {
        if (m_contextMenu != nullptr) {
            m_contextMenu->popup(viewport()->mapToGlobal(pos));
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = true;
    m_cursorX = pos.x();
    m_cursorY = pos.y();
    viewport()->update();
}

void CMyPinPu::mouseMoveEvent(QMouseEvent* event) {
    if (!FileSelected() || !m_dragging) {
        return;
    }
    m_cursorX = event->position().toPoint().x();
    m_cursorY = event->position().toPoint().y();
    viewport()->update();
}

void CMyPinPu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = false;
    viewport()->update();
}

void CMyPinPu::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            --m_cursorX;
            viewport()->update();
            return;
        case Qt::Key_Right:
            ++m_cursorX;
            viewport()->update();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
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
