#include "ui/my_tool_bar.h"

#include <QToolButton>

#include "res/ids.h"
#include "ui/tool_bar_util.h"

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

bool CMytoolBar::LoadToolBar() {
    for (int command : Layout()) {
        if (QAction* action = AddToolBarCommand(this, command)) {
            // Raised buttons, unlike the flat main toolbar.
            if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
                button->setAutoRaise(false);
            }
        }
    }
    return true;
}

void CMytoolBar::SetButtonText(int position, const QString& text) {
    if (QAction* action = ToolBarActionAt(this, position); action && !action->isSeparator()) {
        action->setText(text);
    }
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
