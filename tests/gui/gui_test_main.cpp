// Runs the window tests inside a QApplication (offscreen unless a platform is named) and a
// fresh temporary directory, so dump files the program writes land there.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ui/fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    kx::ui::InstallFontSubstitutes();
    QApplication::setFont(kx::ui::DialogFont());
    ::testing::InitGoogleTest(&argc, argv);
    std::string dir = (std::filesystem::temp_directory_path() / "kxguitest-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        return 2;
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const int rc = RUN_ALL_TESTS();
    std::filesystem::current_path(previous);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}
