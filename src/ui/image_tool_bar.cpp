#include "ui/image_tool_bar.h"

#include <QIcon>

#include "res/ids.h"
#include "ui/tool_bar_util.h"

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

bool CImageToolBar::LoadToolBar() {
    for (int command : Layout()) {
        if (AddToolBarCommand(this, command) == nullptr) {
            return false;
        }
    }
    return true;
}

void CImageToolBar::SetButtonText(int position, const QString& text) {
    if (QAction* action = ToolBarActionAt(this, position); action && !action->isSeparator()) {
        action->setText(text);
    }
}

void CImageToolBar::SetImageList(const QList<QPixmap>& images) {
    int n = 0;
    for (QAction* action : actions()) {
        if (action->isSeparator()) {
            continue;
        }
        if (n < images.size()) {
            action->setIcon(QIcon(images[n]));
        }
        ++n;
    }
}

}  // namespace kx::ui
