#include "ui/command_actions.h"

#include <QAction>
#include <QIcon>

#include "ui/resource_images.h"

namespace kx::ui {

namespace {

QAction* NewAction(CommandTable& table, const CommandEntry& e, int commandId, const char* caption,
                   QObject* owner) {
    auto* action = new QAction(QString::fromUtf8(caption), owner);
    action->setObjectName(QString::number(commandId));
    QObject::connect(action, &QAction::triggered, owner, [&table, &e] { table.Execute(e); });
    return action;
}

}  // namespace

CommandActions::CommandActions(CommandTable& table, QObject* owner) : m_table(table) {
    for (const CommandEntry& e : table.Entries()) {
        const int firstId = e.menuId != 0 ? e.menuId : e.otherIds.front();
        QAction* action = NewAction(table, e, firstId, e.caption, owner);
        if (e.buttonText != nullptr) {
            action->setIconText(QString::fromUtf8(e.buttonText));
        }
        if (e.image != 0) {
            action->setIcon(ResourceIcon(e.image));
            action->setIconVisibleInMenu(e.imageInMenu);
        }
        if (e.toolTip != nullptr) {
            action->setToolTip(QString::fromUtf8(e.toolTip));
        }
        action->setCheckable(e.checkable);
        action->setShortcuts(e.shortcuts);
        m_byId[firstId] = action;
        for (int other : e.otherIds) {
            m_byId.emplace(other, action);
        }
        for (auto [commandId, caption] : e.captionOf) {
            m_byId[commandId] = NewAction(table, e, commandId, caption, owner);
        }
    }
}

QAction* CommandActions::Action(int commandId) const {
    const auto it = m_byId.find(commandId);
    return it != m_byId.end() ? it->second : nullptr;
}

QString CommandActions::ToolTip(int commandId) const {
    const CommandEntry* e = m_table.Find(commandId);
    return e != nullptr && e->toolTip != nullptr ? QString::fromUtf8(e->toolTip) : QString();
}

}  // namespace kx::ui
