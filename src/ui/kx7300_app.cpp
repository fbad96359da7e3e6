#include "ui/kx7300_app.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "render/fonts.h"
#include "ui/kx7300_dlg.h"
#include "ui/path_opener.h"
#include "ui/project_controller.h"
#include "ui/window_geometry.h"

namespace kx::ui {

namespace {
CKX7300Dlg* g_mainWindow = nullptr;
}

CKX7300App::CKX7300App(int& argc, char** argv) : QApplication(argc, argv) {
    // The key name the program has always carried: its settings (window geometry, recent
    // projects) are kept under it.
    setOrganizationName("应用程序向导生成的本地应用程序");
    setApplicationName("KX7300");
    // Ties the window to the installed menu entry and its icon (Wayland asks by this name).
    setDesktopFileName("kx7300");
    InstallFontSubstitutes();
    setFont(DialogFont());
    InstallQtChinese(*this);
}

QTranslator* InstallQtChinese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_", dir) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

int CKX7300App::InitInstance(const QString& path) {
    auto dialog = std::make_unique<CKX7300Dlg>();
    g_mainWindow = dialog.get();
    if (RestoreWindowGeometry(*dialog)) {
        dialog->show();
    } else {
        // The first run: without a window manager to maximise it, the window still covers
        // the screen.
        if (QScreen* screen = primaryScreen()) {
            dialog->setGeometry(screen->availableGeometry());
        }
        dialog->showMaximized();
    }
    if (!path.isEmpty()) {
        // Once the window is up, so that a message about the path has it as owner.
        CKX7300Dlg* window = dialog.get();
        QTimer::singleShot(0, window, [window, path] { OpenGivenPath(*window->Project(), path); });
    }
    const int status = exec();
    SaveWindowGeometry(*dialog);
    g_mainWindow = nullptr;
    dialog.reset();
    return status;
}

CKX7300Dlg* CKX7300App::MainWindow() {
    return g_mainWindow;
}

}  // namespace kx::ui
