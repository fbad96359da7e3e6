#include "widgets/view_buffer.h"

namespace kx::ui {

void ViewBuffer::Paint(QWidget* target, const std::function<void(QPainter&)>& draw) {
    const qreal ratio = target->devicePixelRatioF();
    const QSize pixels = target->size() * ratio;
    if (m_pixmap.size() != pixels) {
        m_pixmap = QPixmap(pixels);
    }
    m_pixmap.setDevicePixelRatio(ratio);
    {
        QPainter off(&m_pixmap);
        off.setFont(target->font());
        SmoothOnScaledScreens(off, target);
        draw(off);
    }
    QPainter(target).drawPixmap(0, 0, m_pixmap);
}

void SmoothOnScaledScreens(QPainter& p, const QWidget* target) {
    if (target->devicePixelRatioF() > 1.0) {
        p.setRenderHint(QPainter::Antialiasing);
    }
}

}  // namespace kx::ui
