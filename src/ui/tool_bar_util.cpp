#include "ui/tool_bar_util.h"

#include <QToolButton>

namespace kx::ui {

QAction* AddToolBarCommand(QToolBar* bar, int commandId) {
    if (commandId == 0) {
        return bar->addSeparator();
    }
    auto* action = new QAction(bar);
    action->setObjectName(QString::number(commandId));
    bar->addAction(action);
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setObjectName(QString::number(commandId));
    }
    return action;
}

QAction* ToolBarActionAt(QToolBar* bar, int position) {
    const QList<QAction*> actions = bar->actions();
    return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

}  // namespace kx::ui
