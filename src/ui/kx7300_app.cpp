#include "ui/kx7300_app.h"

#include <QScreen>
#include <memory>

#include "ui/render/fonts.h"
#include "ui/kx7300_dlg.h"

namespace kx::ui {

namespace {
CKX7300Dlg* g_mainWindow = nullptr;
}

CKX7300App::CKX7300App(int& argc, char** argv) : QApplication(argc, argv) {
    // The key name the program has always carried; nothing is stored under it.
    setOrganizationName("应用程序向导生成的本地应用程序");
    setApplicationName("KX7300");
    // Ties the window to the installed menu entry and its icon (Wayland asks by this name).
    setDesktopFileName("kx7300");
    InstallFontSubstitutes();
    setFont(DialogFont());
}

int CKX7300App::InitInstance() {
    auto dialog = std::make_unique<CKX7300Dlg>();
    g_mainWindow = dialog.get();
    // Without a window manager to maximise it, the window still covers the screen.
    if (QScreen* screen = primaryScreen()) {
        dialog->setGeometry(screen->availableGeometry());
    }
    dialog->showMaximized();
    const int status = exec();
    g_mainWindow = nullptr;
    dialog.reset();  // empties the img folder
    return status;
}

CKX7300Dlg* CKX7300App::MainWindow() {
    return g_mainWindow;
}

}  // namespace kx::ui
