#include "ui/image_tool_bar.h"

#include "res/ids.h"

namespace kx::ui {

CImageToolBar::CImageToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QString::number(id::kControlBarFirst));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(22, 22));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

const QList<int>& CImageToolBar::Layout() {
    static const QList<int> layout{id::kBtnOpen,
                                   id::kBtnSave,
                                   id::kBtnSaveAs,
                                   0,
                                   id::kBtnAddToPrint,
                                   0,
                                   id::kBtnDeleteBlow,
                                   id::kBtnUndoDelete,
                                   0,
                                   id::kBtnPileTop,
                                   id::kBtnDefect,
                                   id::kBtnPileBottom,
                                   0,
                                   id::kBtnOptimize};
    return layout;
}

bool CImageToolBar::LoadToolBar(const ActionForId& actionFor) {
    for (int command : Layout()) {
        if (AddToolBarCommand(this, command, actionFor) == nullptr) {
            return false;
        }
    }
    return true;
}

}  // namespace kx::ui
