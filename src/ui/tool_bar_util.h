// Shared by both toolbars: a button for a command id, named by that id.
#pragma once

#include <QAction>
#include <QToolBar>

namespace kx::ui {

// Adds the action of command `commandId` (0 adds a separator) and names both the action and
// its button by the id.
QAction* AddToolBarCommand(QToolBar* bar, int commandId);

// The action at a position of the bar, separators counted.
QAction* ToolBarActionAt(QToolBar* bar, int position);

}  // namespace kx::ui
