// Runs the window tests inside a QApplication (offscreen unless a platform is named) and a
// fresh temporary directory, with settings in a temporary place of their own: nothing a test
// stores reaches the user's real settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/temp_dir_run.h"
#include "ui/render/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid()) {
        return 1;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    kx::ui::InstallFontSubstitutes();
    QApplication::setFont(kx::ui::DialogFont());
    ::testing::InitGoogleTest(&argc, argv);
    return kx::test::RunAllTestsInTempDirectory("kxguitest");
}
