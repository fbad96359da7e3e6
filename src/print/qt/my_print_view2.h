// The print dialog's page 打印参数: title, the ten show check boxes, start
// page, footer choice and the writer and reporter of the names footer.
#pragma once

#include <array>

#include "print/print_settings.h"
#include "widgets/info_page.h"

class QCheckBox;
class QComboBox;

namespace kx::ui {

class BuddySpinButton;

class CMyPrintView2 : public InfoPage {
    Q_OBJECT
public:
    // The page's start-up writes the title and the ten check boxes from `s`.
    CMyPrintView2(const PrintSettings& s, QWidget* parent);

    // The nine check boxes of the print-info file, in its word order: 1025-1032, 1063.
    static constexpr std::array<int, 9> kInfoChecks = {1025, 1026, 1027, 1028, 1029,
                                                       1030, 1031, 1032, 1063};

    QCheckBox* Check(int id) const;
    QComboBox* FooterCombo() const;
    BuddySpinButton* StartPageSpin() const;
    // Writer and reporter with their labels are shown only for the names footer (item 1).
    void ShowNamesForSelection(int selection);

private:
    void OnInitDialog(const PrintSettings& s);
};

}  // namespace kx::ui
