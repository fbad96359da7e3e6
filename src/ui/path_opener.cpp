#include "ui/path_opener.h"

#include <QDir>
#include <QFileInfo>

#include "ui/project_controller.h"

namespace kx::ui {

namespace {

void Tell(CProjectController& project, const QString& text) {
    project.Prompts().Tell(text.toStdString());
}

// The project is open at `dir` (an earlier save prompt may have kept the old one open).
bool IsOpenAt(const CProjectController& project, const QString& dir) {
    return !project.ProjectDir().isEmpty() &&
           QDir::cleanPath(QFileInfo(project.ProjectDir()).absoluteFilePath()) == dir;
}

}  // namespace

void OpenGivenPath(CProjectController& project, const QString& path) {
    const QFileInfo given(path);
    if (!given.exists()) {
        Tell(project, QString("找不到“%1”。").arg(path));
        return;
    }
    if (given.isDir()) {
        project.OpenProjectAt(path);
        return;
    }
    const QString dir = QDir::cleanPath(given.absolutePath());
    const QString suffix = given.suffix();
    if (suffix == "kxc") {
        project.OpenProjectAt(dir);
        if (IsOpenAt(project, dir)) {
            project.SelectFile(given.absoluteFilePath());
        }
        return;
    }
    if (suffix != "kxd") {
        Tell(project,
             QString("无法打开“%1”：请给出工程目录、分析文件(*.kxc)或原始文件(*.kxd)。").arg(path));
        return;
    }
    const QString analysisName = given.completeBaseName() + ".kxc";
    const bool import = project.Prompts().AskYesNo(
        QString("%1是原始文件。是否导入目录%2中的原始数据？\n"
                "导入后打开对应的分析文件%3；选“否”则按原样打开该目录。")
            .arg(given.fileName(), QDir::toNativeSeparators(dir), analysisName)
            .toStdString(),
        kQuestionCaption);
    if (import) {
        project.ImportRawDataAt(dir);
    } else {
        project.OpenProjectAt(dir);
    }
    if (!IsOpenAt(project, dir)) {
        return;
    }
    const QString analysisPath = dir + "/" + analysisName;
    if (import) {
        // The import converts beside the window: the pile is selected once it is over (an
        // import that could not convert the file has said so already).
        project.RunWhenLoaded([&project, analysisPath] { project.SelectFile(analysisPath); });
    } else if (!project.SelectFile(analysisPath)) {
        Tell(project, QString("原始文件%1尚未导入，工程中没有它的分析文件%2。")
                          .arg(given.fileName(), analysisName));
    }
}

}  // namespace kx::ui
