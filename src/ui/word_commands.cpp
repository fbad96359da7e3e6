#include "ui/word_commands.h"

#include <QWidget>

#include "print/qt/my_print.h"
#include "ui/background_task.h"
#include "workspace/print_list_entries.h"
#include "workspace/workspace.h"

namespace kx::ui {

CWordCommands::CWordCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                             UserPrompts& prompts, CBackgroundTask* task)
    : QObject(owner),
      m_owner(owner),
      m_settings(settings),
      m_workspace(workspace),
      m_prompts(prompts),
      m_runDialog([](CMyPrint& dialog) {
          dialog.exec();
          return dialog.Confirmed();
      }),
      m_open(OpenWithDesktop),
      m_task(task) {}

void CWordCommands::ExportWordReport() {
    // No figure window while the dialog is open: the figures are drawn once it is confirmed,
    // from the settings as they then stand.
    CMyPrint dialog(m_workspace, m_settings, m_prompts, CMyPrint::Mode::Word, m_owner);
    if (!m_runDialog(dialog)) {
        return;
    }
    const ReportEntries entries = PrintListEntries(m_workspace);
    std::vector<const PileRecord*> piles;
    for (size_t k = 0; k < entries.count; ++k) {
        piles.push_back(entries.record(k));
    }
    // The work asks where to save and opens the document through the window.
    m_task->Start(
        "输出到WORD",
        [settings = m_settings, piles, dir = PrintListDirectory(m_workspace),
         open = m_open](CBackgroundTask::Work& work) {
            const OpenDocumentFn openInWindow = [&work, &open](const std::string& path) {
                bool opened = false;
                work.InWindow([&] { opened = open && open(path); });
                return opened;
            };
            kx::ExportWordReport(settings, piles, dir, work.Prompts(), openInWindow, &work);
        },
        nullptr);
}

}  // namespace kx::ui
