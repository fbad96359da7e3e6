// Runs the window tests inside a QApplication (offscreen unless a platform is named) and a
// fresh temporary directory, with settings in a temporary place of their own: nothing a test
// stores reaches the user's real settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "render/fonts.h"
#include "support/temp_dir_run.h"

namespace {

// What the window remembers (QSettings) goes to a fresh directory for every test: each test
// starts from the defaults, and no test reaches the user's own settings.
class FreshSettingsPerTest : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        m_dir = std::make_unique<QTemporaryDir>();
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_dir->path());
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

}  // namespace

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
    // QSettings needs names to store anything under.
    QApplication::setOrganizationName("kx-gui-tests");
    QApplication::setApplicationName("kx_gui_tests");
    kx::ui::InstallFontSubstitutes();
    QApplication::setFont(kx::ui::DialogFont());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsPerTest);
    return kx::test::RunAllTestsInTempDirectory("kxguitest");
}
