#include "print/qt/my_print_view2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "res/ids.h"
#include "widgets/buddy_spin_button.h"

namespace kx::ui {

CMyPrintView2::CMyPrintView2(const PrintSettings& s, QWidget* parent)
    : InfoPage(nullptr, id::kPrintParamsPageDialog, parent) {
    AddLabel("标题", 19, 31, 17, 8);
    AddEdit(id::kPrintTitleEdit, 42, 28, 168, 14);
    Place(new QGroupBox("打印信息", this), id::kStatic, 18, 51, 191, 70);
    const struct {
        int id;
        const char* text;
        int x, y, width;
    } checks[] = {
        {id::kShowPileBottomCheck, "桩底", 27, 73, 32},
        {id::kShowPileTopCheck, "桩顶", 70, 73, 32},
        {id::kShowPileShapeCheck, "桩型", 112, 73, 32},
        {id::kShowDefectCheck, "缺陷位置", 154, 73, 48},
        {id::kShowSiteCheck, "工地", 27, 90, 32},
        {id::kShowPileNumberCheck, "桩号", 70, 90, 32},
        {id::kShowPileLengthCheck, "桩长", 112, 89, 32},
        {id::kShowWaveSpeedCheck, "波速", 154, 89, 32},
        {id::kShowRulerCheck, "标尺", 27, 106, 32},
        {id::kHalfWaveCheck, "半波", 70, 106, 32},
    };
    for (const auto& c : checks) {
        Place(new QCheckBox(c.text, this), c.id, c.x, c.y, c.width, 10);
    }
    AddLabel("起始页：", 23, 134, 33, 8);
    QLineEdit* startPage = AddEdit(id::kStartPageEdit, 58, 130, 140, 14);
    startPage->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), startPage));
    Place(new BuddySpinButton(startPage, this), id::kStartPageSpin, 198, 130, 11, 14);
    AddLabel("页脚设置：", 15, 155, 41, 8);
    auto* footer = Place(new QComboBox(this), id::kFooterCombo, 58, 154, 138, 30);
    footer->setEditable(true);
    footer->setInsertPolicy(QComboBox::NoInsert);
    AddLabel("编写人：", 23, 180, 33, 8)->setObjectName(QString::number(id::kWriterLabel));
    AddEdit(id::kWriterEdit, 58, 177, 138, 14);
    AddLabel("报告人：", 24, 203, 33, 8)->setObjectName(QString::number(id::kReporterLabel));
    AddEdit(id::kReporterEdit, 59, 200, 138, 14);
    connect(footer, &QComboBox::currentIndexChanged, this, &CMyPrintView2::ShowNamesForSelection);
    OnInitDialog(s);
}

void CMyPrintView2::OnInitDialog(const PrintSettings& s) {
    Edit(id::kPrintTitleEdit)->setText(QString::fromStdString(s.title));
    const std::pair<int, bool> flags[] = {{id::kShowPileBottomCheck, s.showPileBottom},
                                          {id::kShowPileTopCheck, s.showPileTop},
                                          {id::kShowPileShapeCheck, s.showPileShape},
                                          {id::kShowDefectCheck, s.showDefect},
                                          {id::kShowSiteCheck, s.showSite},
                                          {id::kShowPileNumberCheck, s.showPileNumber},
                                          {id::kShowPileLengthCheck, s.showPileLength},
                                          {id::kShowWaveSpeedCheck, s.showWaveSpeed},
                                          {id::kShowRulerCheck, s.showRuler},
                                          {id::kHalfWaveCheck, s.halfWave}};
    for (auto [checkId, on] : flags) {
        Check(checkId)->setChecked(on);
    }
    // A sorted box: "1" sorts before "测试人", so the items keep this order.
    QComboBox* footer = FooterCombo();
    footer->addItems({"1", "测试人"});
    footer->setCurrentIndex(0);
    // 205 pixels wide; the closed box has its own height (60 is its opened list's).
    footer->resize(205, footer->sizeHint().height());
    StartPageSpin()->SetRange(1, 100);
    Edit(id::kStartPageEdit)->setText("1");
}

QCheckBox* CMyPrintView2::Check(int id) const {
    return Control<QCheckBox>(id);
}
QComboBox* CMyPrintView2::FooterCombo() const {
    return Control<QComboBox>(id::kFooterCombo);
}
BuddySpinButton* CMyPrintView2::StartPageSpin() const {
    return Control<BuddySpinButton>(id::kStartPageSpin);
}

void CMyPrintView2::ShowNamesForSelection(int selection) {
    for (int controlId :
         {id::kWriterEdit, id::kReporterEdit, id::kWriterLabel, id::kReporterLabel}) {
        Control(controlId)->setVisible(selection == 1);
    }
}

}  // namespace kx::ui
