#include "ui/print_commands.h"

#include <QWidget>
#include <memory>

#include "print/qt/my_print.h"
#include "print/qt/sev_frame.h"
#include "print/qt/sev_view.h"
#include "print/report_file_name.h"
#include "record/reason_text.h"
#include "workspace/print_list_entries.h"
#include "workspace/project_files.h"
#include "workspace/user_prompts.h"
#include "workspace/workspace.h"

namespace kx::ui {

CPrintCommands::CPrintCommands(QWidget* owner, PrintSettings& settings, Workspace& workspace,
                               UserPrompts& prompts)
    : QObject(owner),
      m_owner(owner),
      m_settings(settings),
      m_workspace(workspace),
      m_prompts(prompts) {}

void CPrintCommands::OpenPrintSettings() {
    CMyPrint dialog(m_workspace, m_settings, m_prompts, CMyPrint::Mode::Settings, m_owner);
    dialog.exec();
}

CSevFrame* CPrintCommands::OpenPrintPreview() {
    return new CSevFrame(m_owner,
                         std::make_unique<CSevView>(m_settings, PrintListEntries(m_workspace)));
}

std::optional<std::string> CPrintCommands::ExportPdf() {
    if (m_workspace.m_printList.empty()) {
        m_prompts.Tell("打印列表为空，请先加入打印列表！");
        return std::nullopt;
    }
    const ReportEntries entries = PrintListEntries(m_workspace);
    // Proposed beside the project's files, named after its site, as the Word report is.
    std::optional<std::string> path = m_prompts.AskSaveFile(
        DefaultReportPath(entries, PrintListDirectory(m_workspace), "报告", ".pdf"),
        "PDF文件(*.pdf)|*.pdf||");
    if (!path || path->empty()) {
        return std::nullopt;
    }
    if (FileNameOf(*path).find('.') == std::string::npos) {
        *path += ".pdf";
    }
    const CSevView view(m_settings, entries);
    if (Status st = view.ExportPdf(*path); !st) {
        m_prompts.Tell("PDF文件未能保存：" + *path + "\n" + ReasonInChinese(st.reason));
        return std::nullopt;
    }
    return path;
}

}  // namespace kx::ui
