#include "ui/kx7300_app.h"

#include <QScreen>
#include <QTimer>
#include <memory>

#include "ui/kx7300_dlg.h"
#include "ui/project_controller.h"
#include "ui/render/fonts.h"

namespace kx::ui {

namespace {
CKX7300Dlg* g_mainWindow = nullptr;
}

CKX7300App::CKX7300App(int& argc, char** argv) : QApplication(argc, argv) {
    // The key name the program has always carried; nothing is stored under it.
    setOrganizationName("应用程序向导生成的本地应用程序");
    setApplicationName("KX7300");
    InstallFontSubstitutes();
    setFont(DialogFont());
}

QString CKX7300App::ProjectDirArgument(const QStringList& arguments) {
    // Qt has taken its own options out already; the first other argument is the directory.
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) {
            return arguments[i];
        }
    }
    return QString();
}

int CKX7300App::InitInstance(const QString& projectDir) {
    auto dialog = std::make_unique<CKX7300Dlg>();
    g_mainWindow = dialog.get();
    // Without a window manager to maximise it, the window still covers the screen.
    if (QScreen* screen = primaryScreen()) {
        dialog->setGeometry(screen->availableGeometry());
    }
    dialog->showMaximized();
    if (!projectDir.isEmpty()) {
        // Once the window is up, so that a message about the directory has it as owner.
        CKX7300Dlg* window = dialog.get();
        QTimer::singleShot(0, window,
                           [window, projectDir] { window->Project()->OpenProjectAt(projectDir); });
    }
    const int status = exec();
    g_mainWindow = nullptr;
    dialog.reset();  // empties the img folder
    return status;
}

CKX7300Dlg* CKX7300App::MainWindow() {
    return g_mainWindow;
}

}  // namespace kx::ui
