// The spectrum (频谱分析) view of the main window's views tab (child id 10003).
#pragma once

#include <QFrame>

#include "record/pile_record.h"

namespace kx {

class CMyPinPu : public QFrame {
    Q_OBJECT
public:
    explicit CMyPinPu(QWidget* parent = nullptr);

    // Computes the spectrum of the record's stacked waveform, resets zoom and drag state and
    // repaints.
    void ComputeSpectrum(const PileRecord& rec);
    // No file selected: nothing to draw.
    void Clear();
};

}  // namespace kx
