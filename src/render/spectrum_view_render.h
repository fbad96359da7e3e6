// The picture of the spectrum view (频谱分析) on any painter: the spectrum curve, the cursor
// and the readings C (wave speed), H (frequency) and L (pile length) under the cursor.
#pragma once

#include <QPainter>
#include <QSize>

#include "waveform/spectrum.h"
#include "waveform/spectrum_view_geometry.h"

namespace kx {

struct SpectrumViewScene {
    const SpectrumBuffer* spectrum = nullptr;  // null: no file selected, nothing drawn
    int count = 0;                             // N of the record it was computed for
    int zoom = 1;
    int32_t cursorX = 0;
    SpectrumReadout readout;  // the readings for cursorX
};

void RenderSpectrumView(QPainter& p, QSize client, const SpectrumViewScene& scene);

}  // namespace kx
