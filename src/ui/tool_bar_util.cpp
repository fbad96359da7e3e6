#include "ui/tool_bar_util.h"

#include <QToolButton>

namespace kx::ui {

QAction* AddToolBarCommand(QToolBar* bar, int commandId, const ActionForId& actionFor) {
    if (commandId == 0) {
        return bar->addSeparator();
    }
    QAction* action = actionFor(commandId);
    if (action == nullptr) {
        return nullptr;
    }
    bar->addAction(action);
    // The action is the menu item's too; the button carries the button's own id.
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setObjectName(QString::number(commandId));
    }
    return action;
}

}  // namespace kx::ui
