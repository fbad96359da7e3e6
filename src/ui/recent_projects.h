// 文件 > 最近打开的工程: the last five project directories opened (most recent first, each
// once), kept with QSettings so that they outlive the program. The first is also where the
// folder browser of 打开工程 and 导入原始数据 starts. Choosing a directory that is gone removes
// it and says so.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace kx::ui {

class CKX7300Dlg;

class CRecentProjects : public QObject {
    Q_OBJECT
public:
    // The settings key of the list.
    static constexpr const char* kSettingsKey = "RecentProjects";

    // Fills the window's submenu from the settings, adds every project the window opens from
    // now on, and opens the entries picked. Lives as long as the window.
    static CRecentProjects* Attach(CKX7300Dlg& window);

    // The directories, most recent first.
    QStringList Projects() const { return m_projects; }
    // `dir` becomes the most recent entry; the oldest beyond five goes.
    void Add(const QString& dir);
    // Runs entry command `commandId` if it is one of the five; false for any other.
    bool Run(int commandId);

private:
    explicit CRecentProjects(CKX7300Dlg& window);
    void Remove(const QString& dir);
    // Stores the list and shows it in the menu.
    void Changed();

    CKX7300Dlg& m_window;
    QStringList m_projects;
};

}  // namespace kx::ui
