#include "ui/my_tool_bar.h"

#include <QToolButton>

#include "res/ids.h"

namespace kx::ui {

CMytoolBar::CMytoolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QString::number(id::kControlBarFirst));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

const QList<int>& CMytoolBar::Layout() {
    static const QList<int> layout{id::kBtnLowPass,   id::kBtnZoomIn,  id::kBtnZoomOut,
                                   id::kBtnZero,      id::kBtnRestore, id::kBtnSmooth,
                                   id::kBtnCutFront,  id::kBtnCutBack, id::kBtnReverse,
                                   id::kBtnIntegrate, id::kBtnRestack, id::kBtnAmplify};
    return layout;
}

bool CMytoolBar::LoadToolBar(const ActionForId& actionFor) {
    for (int command : Layout()) {
        QAction* action = AddToolBarCommand(this, command, actionFor);
        if (action == nullptr) {
            return false;
        }
        // Raised buttons, unlike the flat main toolbar.
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
            button->setAutoRaise(false);
        }
    }
    return true;
}

void CMytoolBar::SetSizes(QSize button, QSize image) {
    setIconSize(image);
    for (QAction* action : actions()) {
        if (QWidget* w = widgetForAction(action)) {
            w->setFixedSize(button);
        }
    }
}

}  // namespace kx::ui
