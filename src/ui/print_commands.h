// The main window's print commands: 打印设置 (the print dialog in settings mode), 打印预览
// (the preview window) and 输出PDF (the report pages into a PDF file). They work on the
// open project's print list and records and on the main window's print settings; the window
// owns them.
#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "print/print_settings.h"

class QWidget;

namespace kx {
class UserPrompts;
class Workspace;
}  // namespace kx

namespace kx::ui {

class CSevFrame;

class CPrintCommands : public QObject {
    Q_OBJECT
public:
    // `owner` is the main window: it parents the dialog and hides while the preview is open.
    CPrintCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                   UserPrompts& prompts);

    // 打印设置: the print dialog in settings mode.
    void OpenPrintSettings();
    // 打印预览: a new preview window; the main window hides until it closes.
    CSevFrame* OpenPrintPreview();
    // 输出PDF: asks for a file name, then writes every report page into it. The file written,
    // none when nothing was.
    std::optional<std::string> ExportPdf();

private:
    QWidget* m_owner;
    PrintSettings& m_settings;
    Workspace& m_workspace;
    UserPrompts& m_prompts;
};

}  // namespace kx::ui
