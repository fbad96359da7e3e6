#include "ui/recent_projects.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "res/ids.h"
#include "ui/kx7300_dlg.h"
#include "ui/project_controller.h"

namespace kx::ui {

namespace {

// One spelling per directory, so that the same project never shows twice.
QString Normalized(const QString& dir) {
    return QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
}

}  // namespace

CRecentProjects::CRecentProjects(CKX7300Dlg& window) : QObject(&window), m_window(window) {
    connect(window.Project(), &CProjectController::projectOpened, this, &CRecentProjects::Add);
    for (const QString& dir : QSettings().value(kSettingsKey).toStringList()) {
        const QString normalized = Normalized(dir);
        if (!dir.isEmpty() && !m_projects.contains(normalized) &&
            m_projects.size() < id::kRecentProjectCount) {
            m_projects << normalized;
        }
    }
    Changed();
}

void CRecentProjects::Add(const QString& dir) {
    if (dir.isEmpty()) {
        return;
    }
    const QString normalized = Normalized(dir);
    m_projects.removeAll(normalized);
    m_projects.prepend(normalized);
    while (m_projects.size() > id::kRecentProjectCount) {
        m_projects.removeLast();
    }
    Changed();
}

void CRecentProjects::Remove(const QString& dir) {
    m_projects.removeAll(dir);
    Changed();
}

void CRecentProjects::Open(int index) {
    if (index < 0 || index >= m_projects.size()) {
        return;  // an entry not shown
    }
    const QString dir = m_projects[index];
    if (!QFileInfo(dir).isDir()) {
        Remove(dir);
        m_window.Project()->Prompts().Tell(QString("工程目录%1已不存在，已从最近打开的工程中移除。")
                                               .arg(QDir::toNativeSeparators(dir))
                                               .toStdString());
        return;
    }
    m_window.Project()->OpenProjectAt(dir);
}

void CRecentProjects::Changed() {
    QSettings settings;
    settings.setValue(kSettingsKey, m_projects);
    for (int k = 0; k < id::kRecentProjectCount; ++k) {
        QAction* entry = m_window.Command(id::kCmdRecentProject1 + k);
        if (entry == nullptr) {
            continue;
        }
        const bool shown = k < m_projects.size();
        // "&1 /path": the digit picks the entry from the keyboard.
        entry->setText(shown ? QString("&%1 %2").arg(k + 1).arg(
                                   QDir::toNativeSeparators(m_projects[k]).replace("&", "&&"))
                             : QString());
        entry->setVisible(shown);
    }
    if (auto* menu = m_window.findChild<QMenu*>(QString::number(id::kRecentProjectsMenu))) {
        menu->menuAction()->setEnabled(!m_projects.isEmpty());
    }
    m_window.Project()->SetFolderBrowserStart(m_projects.value(0));
}

}  // namespace kx::ui
