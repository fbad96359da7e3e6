// The picture of the stacked waveform view (叠加波型) on any painter: zero line, bottom axis,
// waveform, live value while dragging, pile bar, cursor and the three markers.
#pragma once

#include <QPainter>
#include <QSize>

#include "waveform/pile_markers.h"

namespace kx {

struct StackedViewScene {
    const MarkerState* markers = nullptr;  // record, markers, cursor, drag state, fix mode
    int zoom = 1;
    float liveSpeed = 0;   // shown while dragging with the length fixed
    float liveLength = 0;  // shown while dragging with the speed fixed
};

// Draws the client area of `client` size. Nothing is drawn without a record.
void RenderStackedView(QPainter& p, QSize client, const StackedViewScene& scene);

}  // namespace kx
