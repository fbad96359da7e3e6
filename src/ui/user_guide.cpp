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

// The source tree's docs folder when the program runs from inside its build tree.
QString SourceGuideDir() {
    const QString build = QDir::cleanPath(QStringLiteral(KX_BUILD_DIR));
    const QString program = QDir::cleanPath(QCoreApplication::applicationDirPath());
    if (program == build || program.startsWith(build + '/')) {
        return QDir::cleanPath(QStringLiteral(KX_SOURCE_DIR) + "/docs");
    }
    return QString();
}

}  // namespace

QString UserGuidePath() {
    const QString installed = InstalledGuideDir();
    QStringList candidates = {installed + "/guide.html", installed + "/guide.md"};
    if (const QString source = SourceGuideDir(); !source.isEmpty()) {
        candidates << source + "/guide.md";
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
