#include "ui/bo_xing_xx.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "res/ids.h"
#include "widgets/page_host.h"

namespace kx::ui {

CBoXingXX::CBoXingXX(PageHost* host, QWidget* parent)
    : InfoPage(host, id::kWaveformPageDialog, parent) {
    AddLabel("时间(us)", 15, 17, 30, 8);
    AddEdit(id::kCursorTimeEdit, 48, 15, 54, 14)->setEnabled(false);
    AddLabel("电压值(mv)", 5, 37, 40, 8);
    AddEdit(id::kCursorVoltageEdit, 48, 34, 54, 14)->setEnabled(false);
    AddLabel("当前位置(m)", 1, 58, 44, 8);
    AddEdit(id::kCursorPositionEdit, 48, 55, 54, 14)->setEnabled(false);
    AddLabel("低通(Hz)", 15, 76, 30, 8);
    AddEdit(id::kLowPassEdit, 48, 74, 54, 14);
    FinishControls();
}

bool CBoXingXX::FilterKey(QWidget* target, QKeyEvent* key) {
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || target != Edit(id::kLowPassEdit)) {
        return false;
    }
    if (!Host()->HasFileSelected()) {
        Host()->ShowMessage("请先选择文件");
        return true;  // Enter itself does nothing further, as anywhere in the window
    }
    Host()->ApplyViewCommand(id::kViewLowPass);
    return true;
}

}  // namespace kx::ui
