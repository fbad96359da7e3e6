// The picture of the all-waveforms view (所有波型) on any painter: one band per project file
// with its name and its stacked waveform. Only the bands that reach into the exposed rows
// are drawn, so a paint costs the same for 50 files as for 5,000.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

#include "record/pile_record.h"

namespace kx {

// One band: the file's name and its record, null while the record is not loaded yet or could
// not be read (the band then shows the name and lines alone).
struct AllViewRow {
    QString name;
    const PileRecord* record = nullptr;
};
using AllViewRowSource = std::function<AllViewRow(int row)>;

// Draws, in picture coordinates (band j at y = 150 j), the bands of `rowCount` that intersect
// `exposed` (picture coordinates), `width` pixels wide. The source is asked only for those.
void RenderAllView(QPainter& p, int width, const QRect& exposed, int rowCount,
                   const AllViewRowSource& rows);

}  // namespace kx
