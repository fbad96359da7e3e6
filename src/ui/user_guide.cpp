#include "ui/user_guide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kx::ui {

namespace {

// PREFIX/share/doc/kx7300 for the program in PREFIX/bin.
QString InstalledGuideDir() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/kx7300");
}

// The build tree's rendering of the guide (with its pictures beside it) when the program
// runs from inside its build tree.
QString BuildTreeGuideDir() {
    const QString build = QDir::cleanPath(QStringLiteral(KX_BUILD_DIR));
    const QString program = QDir::cleanPath(QCoreApplication::applicationDirPath());
    if (program == build || program.startsWith(build + '/')) {
        return build + "/docs";
    }
    return QString();
}

}  // namespace

QString UserGuidePath() {
    // The HTML page only: the desktop opens it in the browser, with its pictures. (The
    // Markdown text would open in a text editor.)
    QStringList candidates = {InstalledGuideDir() + "/guide.html"};
    if (const QString built = BuildTreeGuideDir(); !built.isEmpty()) {
        candidates << built + "/guide.html";
    }
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    return QString();
}

QString UserGuideLocation() {
    const QString found = UserGuidePath();
    return found.isEmpty() ? InstalledGuideDir() + "/guide.html" : found;
}

bool OpenUserGuideInDesktop() {
    const QString path = UserGuidePath();
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kx::ui
