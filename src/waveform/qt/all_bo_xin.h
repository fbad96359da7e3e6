// The all-waveforms (所有波型) view of the main window's views tab (child id 10004).
#pragma once

#include <QFrame>

namespace kx {

class CAllBoXin : public QFrame {
    Q_OBJECT
public:
    explicit CAllBoXin(QWidget* parent = nullptr);
};

}  // namespace kx
