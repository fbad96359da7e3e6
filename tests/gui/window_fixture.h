// A main window with scripted message boxes: every message is recorded and answered with a
// chosen button instead of opening a modal box. The questions of the file commands are
// answered from the queues of `filePrompts`.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <memory>

#include "core/workspace_test_util.h"
#include "ui/kx7300_dlg.h"
#include "ui/project_controller.h"

namespace kx::ui {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<CKX7300Dlg>();
        window->SetPromptHandler(
            [this](QWidget*, const QString& text, const QString& caption, PromptButtons) {
                messages << text;
                captions << caption;
                return answer;
            });
        window->Project()->SetUserPrompts(&filePrompts);
    }

    // Shows the window at its normal size and makes it active, so that focus and keys work.
    void ShowActive() {
        window->setWindowState(Qt::WindowNoState);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    test::ScriptedPrompts filePrompts;
    std::unique_ptr<CKX7300Dlg> window;
    QStringList messages;
    QStringList captions;
    PromptAnswer answer = PromptAnswer::Ok;
};

}  // namespace kx::ui
