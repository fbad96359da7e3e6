// The picture of a waveform view built off-screen and copied onto its window in one go, at the
// screen's pixel ratio: on a screen scaled by 2 the picture has twice the pixels and its curves
// are smoothed; at ratio 1 it is the plain pixel picture the views have always drawn.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace kx::ui {

class ViewBuffer {
public:
    // Draws with `draw` (in the widget's own coordinates, its font set) into the buffer, then
    // copies the buffer onto `target`.
    void Paint(QWidget* target, const std::function<void(QPainter&)>& draw);

private:
    QPixmap m_pixmap;
};

// Smooths the painter's curves where the screen is scaled (ratio above 1).
void SmoothOnScaledScreens(QPainter& p, const QWidget* target);

}  // namespace kx::ui
