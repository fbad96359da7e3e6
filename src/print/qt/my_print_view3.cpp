#include "print/qt/my_print_view3.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "print/print_settings.h"
#include "res/ids.h"
#include "waveform/box_text.h"
#include "widgets/buddy_spin_button.h"

namespace kx::ui {

CMyPrintView3::CMyPrintView3(std::function<void(const std::string&)> tell, QWidget* parent)
    : InfoPage(nullptr, id::kPageParamsPageDialog, parent), m_tell(std::move(tell)) {
    AddLabel("每页显示", 26, 84, 33, 8);
    QLineEdit* perPage = AddEdit(id::kPilesPerPageEdit, 69, 82, 131, 14);
    Place(new BuddySpinButton(perPage, this), id::kPilesPerPageSpin, 202, 81, 11, 14);
    AddLabel("左间距(mm)", 18, 113, 41, 8);
    QLineEdit* left = AddEdit(id::kLeftMarginEdit, 69, 111, 131, 14);
    Place(new BuddySpinButton(left, this), id::kLeftMarginSpin, 202, 110, 11, 14);
    AddLabel("右间距(mm)", 18, 140, 41, 8);
    QLineEdit* right = AddEdit(id::kRightMarginEdit, 69, 138, 131, 14);
    Place(new BuddySpinButton(right, this), id::kRightMarginSpin, 202, 137, 11, 14);
    // Options beyond the original pages, each off until ticked.
    Place(new QCheckBox("每根桩显示类别和结论", this), id::kClassInBlockCheck, 18, 165, 190, 10);
    Place(new QCheckBox("页脚为“第 n 页 / 共 m 页”", this), id::kPageOfTotalCheck, 18, 180, 190,
          10);
    Place(new QCheckBox("WORD报告：页码、每页重复表头", this), id::kWordPageNumbersCheck, 18, 195,
          190, 10);
    Place(new QCheckBox("报告封面", this), id::kCoverPageCheck, 18, 212, 60, 10);
    Place(new QPushButton("封面信息…", this), id::kCoverInfoButton, 90, 210, 60, 14);
    connect(perPage, &QLineEdit::textChanged, this, &CMyPrintView3::OnPilesPerPageChanged);
    connect(left, &QLineEdit::textChanged, this,
            [this] { OnMarginChanged(id::kLeftMarginEdit, "左间距"); });
    connect(right, &QLineEdit::textChanged, this,
            [this] { OnMarginChanged(id::kRightMarginEdit, "右间距"); });
    OnInitDialog();
}

void CMyPrintView3::OnInitDialog() {
    Edit(id::kLeftMarginEdit)->setText("20");
    Edit(id::kRightMarginEdit)->setText("20");
    Edit(id::kPilesPerPageEdit)->setText("8");
    Spin(id::kLeftMarginSpin)->SetRange(kMinSideMarginMm, kMaxSideMarginMm);
    Spin(id::kRightMarginSpin)->SetRange(kMinSideMarginMm, kMaxSideMarginMm);
    Spin(id::kPilesPerPageSpin)->SetRange(1, 100);
}

BuddySpinButton* CMyPrintView3::Spin(int id) const {
    return Control<BuddySpinButton>(id);
}

// Every change of the text, typed or set: more than 14 becomes "14", less than 1 becomes
// "1", each with its message. Setting the text runs this again and passes.
void CMyPrintView3::OnPilesPerPageChanged(const QString& text) {
    const int n = BoxInteger(text.toStdString());
    QLineEdit* edit = Edit(id::kPilesPerPageEdit);
    if (n > kMaxPilesPerPage) {
        edit->setText(QString::number(kMaxPilesPerPage));
        m_tell("每页最多显示14根桩的图形！");
    } else if (n < kMinPilesPerPage) {
        edit->setText(QString::number(kMinPilesPerPage));
        m_tell("每页最少显示1根桩的图形！");
    }
}

// Every change of a margin's text: beyond the spin button's 0-100 mm it is set back to the
// nearer end, with a message, so that the page keeps room for its plot (a typed 12.5 stays).
void CMyPrintView3::OnMarginChanged(int editId, const char* name) {
    QLineEdit* edit = Edit(editId);
    const double mm = MarginMmOf(edit->text().toStdString());
    if (mm > kMaxSideMarginMm) {
        edit->setText(QString::number(kMaxSideMarginMm));
        m_tell(std::string(name) + "最大为" + std::to_string(kMaxSideMarginMm) + "mm！");
    } else if (mm < kMinSideMarginMm) {
        edit->setText(QString::number(kMinSideMarginMm));
        m_tell(std::string(name) + "最小为" + std::to_string(kMinSideMarginMm) + "mm！");
    }
}

QCheckBox* CMyPrintView3::Check(int id) const {
    return Control<QCheckBox>(id);
}

}  // namespace kx::ui
