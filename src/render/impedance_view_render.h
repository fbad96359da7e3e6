// The picture of the 阻抗曲线 view on any painter: the relative impedance along the shaft
// against depth, with the pile length marked; a short note where no profile could be made.
#pragma once

#include <QPainter>
#include <QSize>

#include "analysis/impedance_profile.h"

namespace kx {

struct ImpedanceViewScene {
    const PileImpedance* profile = nullptr;  // null: no file selected, nothing is drawn
    double pileLengthM = 0;
};

void RenderImpedanceView(QPainter& p, QSize client, const ImpedanceViewScene& scene);

}  // namespace kx
