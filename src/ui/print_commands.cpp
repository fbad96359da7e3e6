#include "ui/print_commands.h"

#include <QWidget>
#include <memory>

#include "print/qt/my_print.h"
#include "print/qt/sev_frame.h"
#include "print/qt/sev_view.h"
#include "print/report_file_name.h"
#include "record/reason_text.h"
#include "render/report_pdf.h"
#include "ui/background_task.h"
#include "workspace/print_list_entries.h"
#include "workspace/project_files.h"
#include "workspace/user_prompts.h"
#include "workspace/workspace.h"

namespace kx::ui {

CPrintCommands::CPrintCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                               UserPrompts& prompts, CBackgroundTask* task)
    : QObject(owner),
      m_owner(owner),
      m_settings(settings),
      m_workspace(workspace),
      m_prompts(prompts),
      m_task(task) {}

void CPrintCommands::OpenPrintSettings() {
    CMyPrint dialog(m_workspace, m_settings, m_prompts, CMyPrint::Mode::Settings, m_owner);
    dialog.exec();
}

CSevFrame* CPrintCommands::OpenPrintPreview() {
    return new CSevFrame(m_owner,
                         std::make_unique<CSevView>(m_settings, PrintListEntries(m_workspace)));
}

void CPrintCommands::ExportPdf(std::function<void(const std::string& path)> written) {
    if (m_workspace.m_printList.empty()) {
        m_prompts.Tell("打印列表为空，请先加入打印列表！");
        return;
    }
    const ReportEntries entries = PrintListEntries(m_workspace);
    // Proposed beside the project's files, named after its site, as the Word report is.
    std::optional<std::string> path = m_prompts.AskSaveFile(
        DefaultReportPath(entries, PrintListDirectory(m_workspace), "报告", ".pdf"),
        "PDF文件(*.pdf)|*.pdf||");
    if (!path || path->empty()) {
        return;
    }
    if (FileNameOf(*path).find('.') == std::string::npos) {
        *path += ".pdf";
    }
    // The pages are drawn from a copy of the settings; the records stay as they are while the
    // task runs (the window takes no edits meanwhile).
    auto status = std::make_shared<Status>();
    m_task->Start(
        "输出PDF",
        [settings = m_settings, entries, path = *path, status](CBackgroundTask::Work& work) {
            *status = WriteReportPdf(path, settings, entries, &work);
        },
        [this, path = *path, status, written = std::move(written)] {
            if (*status) {
                written(path);
            } else if (status->reason != kTaskCancelled) {
                m_prompts.Tell("PDF文件未能保存：" + path + "\n" + ReasonInChinese(status->reason));
            }
        });
}

}  // namespace kx::ui
