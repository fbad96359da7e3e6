// Information page 参数信息: pile length, wave speed, defect position, sample count and
// interval, trigger threshold.
#pragma once

#include "widgets/info_page.h"

namespace kx::ui {

class CZhongTiXX : public InfoPage {
    Q_OBJECT
public:
    CZhongTiXX(PageHost* host, QWidget* parent);

protected:
    bool FilterKey(QWidget* target, QKeyEvent* key) override;
};

}  // namespace kx::ui
