// The print dialog's page 打印列表: remove the selected entry, save and read
// the print-info file. The dialog carries the buttons' work out.
#pragma once

#include "widgets/info_page.h"

class QPushButton;

namespace kx::ui {

class CMyPrintView1 : public InfoPage {
    Q_OBJECT
public:
    explicit CMyPrintView1(QWidget* parent);

    QPushButton* RemoveButton() const;    // 1047 "移出打印列表"
    QPushButton* SaveInfoButton() const;  // 1048 "保存打印信息"
    QPushButton* LoadInfoButton() const;  // 1049 "读取打印信息"
};

}  // namespace kx::ui
