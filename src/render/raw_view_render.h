// The picture of the raw waveform view (原始波型) on any painter: eight bands, one per blow
// slot, each with its label box "1#".."8#" (filled green when selected), separator, zero line
// and the blow's curve (none for an absent or deleted blow).
#pragma once

#include <QPainter>

#include "record/pile_record.h"

namespace kx {

// Draws the bands in picture coordinates (y 0 .. 1200) across `width` pixels; the caller
// fills the background and applies the scroll offset.
void RenderRawView(QPainter& p, int width, const PileRecord& rec, int selectedBlow);

}  // namespace kx
