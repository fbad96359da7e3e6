// The main window's 输出到WORD: the print dialog in Word mode, and on "生成WORD" the
// Word report of the open project's print list (ExportWordReport) with the settings as the
// dialog confirmed them.
#pragma once

#include <QObject>
#include <functional>

#include "print/print_settings.h"
#include "report/qt/word_export.h"

class QWidget;

namespace kx {
class UserPrompts;
class Workspace;
}  // namespace kx

namespace kx::ui {

class CBackgroundTask;
class CMyPrint;

class CWordCommands : public QObject {
    Q_OBJECT
public:
    // Runs the dialog modally; true when it was confirmed through its button.
    using RunDialogFn = std::function<bool(CMyPrint& dialog)>;

    // `owner` is the main window: it parents the dialog.
    CWordCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                  UserPrompts& prompts, CBackgroundTask* task);

    // The dialog in Word mode, then, if it was confirmed, the export beside the window's event
    // loop ("输出到WORD k / n" with 取消 while the figures are drawn).
    void ExportWordReport();

    // For tests: what runs the dialog, and what opens the saved document.
    void SetDialogRunner(RunDialogFn fn) { m_runDialog = std::move(fn); }
    void SetOpener(OpenDocumentFn fn) { m_open = std::move(fn); }

private:
    QWidget* m_owner;
    PrintSettings& m_settings;
    Workspace& m_workspace;
    UserPrompts& m_prompts;
    RunDialogFn m_runDialog;
    OpenDocumentFn m_open;
    CBackgroundTask* m_task;
};

}  // namespace kx::ui
