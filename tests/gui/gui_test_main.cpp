// Runs the window tests inside a QApplication (offscreen unless a platform is named) and a
// fresh temporary directory.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/temp_dir_run.h"
#include "ui/render/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    kx::ui::InstallFontSubstitutes();
    QApplication::setFont(kx::ui::DialogFont());
    ::testing::InitGoogleTest(&argc, argv);
    return kx::test::RunAllTestsInTempDirectory("kxguitest");
}
