// Information page 结论信息: integrity class, concrete strength, pile diameter and the
// button that copies the last two into every record of the project.
#pragma once

#include "widgets/info_page.h"

namespace kx::ui {

class CPage4 : public InfoPage {
    Q_OBJECT
public:
    CPage4(PageHost* host, QWidget* parent);

    // Fills the class box with "I" to "IV", widens it and selects "I".
    bool OnInitDialog();
};

}  // namespace kx::ui
