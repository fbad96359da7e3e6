// Shared by both toolbars: a button for a command, named by the button's id.
#pragma once

#include <QAction>
#include <QToolBar>
#include <functional>

namespace kx::ui {

// The action each button id of a toolbar triggers.
using ActionForId = std::function<QAction*(int commandId)>;

// Adds the command's shared action as a button named by `commandId` (0 adds a separator);
// null when there is no action for the id.
QAction* AddToolBarCommand(QToolBar* bar, int commandId, const ActionForId& actionFor);

}  // namespace kx::ui
