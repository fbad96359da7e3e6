// The raw waveform (原始波型) view of the main window's views tab (child id 10001).
#pragma once

#include <QFrame>

namespace kx {

class CYuanShiBoXin : public QFrame {
    Q_OBJECT
public:
    explicit CYuanShiBoXin(QWidget* parent = nullptr);
};

}  // namespace kx
