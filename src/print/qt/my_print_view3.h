// The print dialog's page 页面参数: piles per page and the two side margins,
// each with its spin button. Piles per page is held to 1-14 and the margins to 0-100 mm as
// they are typed.
#pragma once

#include <functional>
#include <string>

#include "widgets/info_page.h"

class QCheckBox;

namespace kx::ui {

class BuddySpinButton;

class CMyPrintView3 : public InfoPage {
    Q_OBJECT
public:
    // `tell` shows a message box (UTF-8 text).
    CMyPrintView3(std::function<void(const std::string&)> tell, QWidget* parent);

    BuddySpinButton* Spin(int id) const;
    // The report options' boxes.
    QCheckBox* Check(int id) const;

private:
    void OnInitDialog();
    void OnPilesPerPageChanged(const QString& text);
    void OnMarginChanged(int editId, const char* name);

    std::function<void(const std::string&)> m_tell;
};

}  // namespace kx::ui
