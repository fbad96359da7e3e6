// Information page 波型信息: the stacked view's cursor readouts and the low-pass cut-off.
#pragma once

#include "widgets/info_page.h"

namespace kx::ui {

class CBoXingXX : public InfoPage {
    Q_OBJECT
public:
    CBoXingXX(PageHost* host, QWidget* parent);

protected:
    bool FilterKey(QWidget* target, QKeyEvent* key) override;
};

}  // namespace kx::ui
