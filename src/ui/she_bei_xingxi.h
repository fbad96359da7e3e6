// Information page 设备信息: instrument number and GPS position, shown only.
#pragma once

#include "widgets/info_page.h"

namespace kx::ui {

class CSheBeiXingxi : public InfoPage {
    Q_OBJECT
public:
    CSheBeiXingxi(PageHost* host, QWidget* parent);
};

}  // namespace kx::ui
