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

    // Fills the window's submenu from the settings and adds every project the window opens
    // from now on. The window owns it.
    explicit CRecentProjects(CKX7300Dlg& window);

    // The directories, most recent first.
    QStringList Projects() const { return m_projects; }
    // `dir` becomes the most recent entry; the oldest beyond five goes.
    void Add(const QString& dir);
    // Opens entry `index` (0: the most recent); an entry that is not shown does nothing.
    void Open(int index);

private:
    void Remove(const QString& dir);
    // Stores the list and shows it in the menu.
    void Changed();

    CKX7300Dlg& m_window;
    QStringList m_projects;
};

}  // namespace kx::ui
