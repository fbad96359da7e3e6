// The spectrum (频谱分析) view of the main window's views tab (child id 10003).
#pragma once

#include <QFrame>

namespace kx {

class CMyPinPu : public QFrame {
    Q_OBJECT
public:
    explicit CMyPinPu(QWidget* parent = nullptr);
};

}  // namespace kx
