// The main window's print commands: 打印设置 (the print dialog in settings mode), 打印预览
// (the preview window) and 输出PDF (the report pages into a PDF file). They work on the
// open project's print list and records and on the main window's print settings; the window
// owns them.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "print/print_settings.h"

class QWidget;

namespace kx {
class UserPrompts;
class Workspace;
}  // namespace kx

namespace kx::ui {

class CBackgroundTask;
class CSevFrame;

class CPrintCommands : public QObject {
    Q_OBJECT
public:
    // `owner` is the main window: it parents the dialog and hides while the preview is open.
    // Long output runs on `task`.
    CPrintCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                   UserPrompts& prompts, CBackgroundTask* task);

    // 打印设置: the print dialog in settings mode.
    void OpenPrintSettings();
    // 打印预览: a new preview window; the main window hides until it closes.
    CSevFrame* OpenPrintPreview();
    // 输出PDF: asks for a file name, then writes every report page into it beside the window's
    // event loop ("输出PDF k / n" with 取消). `written` hears of the file once it is complete;
    // a failure is told, and 取消 leaves no file.
    void ExportPdf(std::function<void(const std::string& path)> written);

private:
    QWidget* m_owner;
    PrintSettings& m_settings;
    Workspace& m_workspace;
    UserPrompts& m_prompts;
    CBackgroundTask* m_task;
};

}  // namespace kx::ui
