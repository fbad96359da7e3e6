#include "ui/zhong_ti_xx.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "res/ids.h"
#include "widgets/page_host.h"

namespace kx::ui {

CZhongTiXX::CZhongTiXX(PageHost* host, QWidget* parent)
    : InfoPage(host, id::kParameterPageDialog, parent) {
    AddLabel("桩长(m)", 17, 18, 28, 8);
    // Length is the fixed quantity at start, so its box is closed and the speed box open.
    AddEdit(id::kPileLengthEdit, 48, 15, 54, 14)->setEnabled(false);
    AddLabel("波速(m/s)", 11, 38, 34, 8);
    AddEdit(id::kWaveSpeedEdit, 48, 34, 54, 14);
    AddLabel("缺陷位置(m)", 1, 58, 44, 8);
    AddEdit(id::kDefectPositionEdit, 48, 55, 54, 14);
    AddLabel("采样长度", 12, 77, 33, 8);
    AddEdit(id::kSampleCountEdit, 48, 74, 54, 14)->setEnabled(false);
    AddLabel("采样间隔(us)", 0, 98, 46, 8);
    AddEdit(id::kSampleIntervalEdit, 48, 95, 54, 14)->setEnabled(false);
    AddLabel("触发阀值", 12, 118, 33, 8);
    auto* trigger = Place(new QComboBox(this), id::kTriggerCombo, 48, 115, 54, 14);
    trigger->setEditable(true);
    trigger->setInsertPolicy(QComboBox::InsertAlphabetically);
    trigger->setEnabled(false);
    FinishControls();
}

bool CZhongTiXX::FilterKey(QWidget* target, QKeyEvent* key) {
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && target == Edit(id::kDefectPositionEdit)) {
        Host()->DefectFromPosition();
        return true;
    }
    return false;
}

}  // namespace kx::ui
