// The application object: sets up fonts and names, builds the main window, runs it until it
// closes and then destroys it.
#pragma once

#include <QApplication>
#include <QString>

class QTranslator;

namespace kx::ui {

class CKX7300Dlg;

class CKX7300App : public QApplication {
    Q_OBJECT
public:
    CKX7300App(int& argc, char** argv);

    // Runs the whole program, opening `path` (a project directory, an analysis or a raw file;
    // see OpenGivenPath) when it is given; the exit status of the event loop.
    int InitInstance(const QString& path = QString());

    // The main window while it exists, else null.
    static CKX7300Dlg* MainWindow();
};

// Qt's own texts (file dialogs, standard buttons) in Chinese, from Qt's translations: the
// translator installed, null when they are not there (the dialogs then speak English).
QTranslator* InstallQtChinese(QCoreApplication& app);

}  // namespace kx::ui
