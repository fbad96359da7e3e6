// The QActions of the command table: one per command, shared by its menu-bar item, its
// toolbar button and its context-menu item, so that they grey, check and run together. A
// context-menu item with a caption of its own has an action of its own that runs the same
// command (context-menu items are never greyed).
#pragma once

#include <QString>
#include <map>

#include "ui/command_table.h"

class QAction;
class QObject;

namespace kx::ui {

class CommandActions {
public:
    // Builds the actions of every row of `table`, children of `owner`; each pick runs the
    // row through the table once.
    CommandActions(CommandTable& table, QObject* owner);

    // The action a command id (menu, toolbar or context menu) triggers; null for none.
    QAction* Action(int commandId) const;
    // The tool tip of toolbar button `commandId`; empty when it shows none.
    QString ToolTip(int commandId) const;

private:
    const CommandTable& m_table;
    std::map<int, QAction*> m_byId;
};

}  // namespace kx::ui
