#include "report/qt/word_export.h"
#include "record/reason_text.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>

#include "print/report_file_name.h"
#include "print/report_page_layout.h"
#include "render/word_figure_renderer.h"
#include "report/word_handle.h"
#include "report/word_report.h"

namespace kx {

namespace {

// The save dialog may hand back a name without the suffix its filter shows.
std::string WithDocxSuffix(const std::string& path) {
    const std::string suffix = ".docx";
    const bool has = path.size() >= suffix.size() &&
                     QString::fromStdString(path.substr(path.size() - suffix.size()))
                             .compare(QString::fromStdString(suffix), Qt::CaseInsensitive) == 0;
    return has ? path : path + suffix;
}

void TellFailure(UserPrompts& prompts, const std::string& what) {
    prompts.ShowMessage("生成WORD失败：" + what, kWordErrorCaption);
}

}  // namespace

std::string DefaultWordReportPath(const std::vector<const PileRecord*>& entries,
                                  const std::string& projectDir) {
    return DefaultReportPath(EntriesOf(entries), projectDir, kReportTitle, ".docx");
}

WordExportOutcome ExportWordReport(const PrintSettings& settings,
                                   const std::vector<const PileRecord*>& entries,
                                   const std::string& projectDir, UserPrompts& prompts,
                                   const OpenDocumentFn& open, TaskProgress* progress) {
    const auto cancelled = [progress] { return progress != nullptr && progress->Cancelled(); };
    // The figures live only as long as this export.
    QTemporaryDir figureDir;
    if (!figureDir.isValid()) {
        TellFailure(prompts,
                    figureDir.path().toStdString() + "：" + figureDir.errorString().toStdString());
        return WordExportOutcome::Failed;
    }
    const std::string dir = figureDir.path().toStdString();
    int32_t count = 0;
    if (Status s = RenderWordFigures(settings, EntriesOf(entries), dir, count, progress); !s) {
        if (cancelled()) {
            return WordExportOutcome::Cancelled;
        }
        TellFailure(prompts, ReasonInChinese(s.reason));
        return WordExportOutcome::Failed;
    }
    WordHandle h;
    h.Start();
    h.OpenNewDocument();
    if (Status s = BuildWordReport(
            h, entries, WordFigurePaths(dir, count),
            {settings.wordPageNumbers, settings.coverPage ? &settings.cover : nullptr});
        !s) {
        TellFailure(prompts, ReasonInChinese(s.reason));
        return WordExportOutcome::Failed;
    }

    if (cancelled()) {
        return WordExportOutcome::Cancelled;
    }
    const std::optional<std::string> chosen =
        prompts.AskSaveFile(DefaultWordReportPath(entries, projectDir), kWordFilter);
    if (!chosen || cancelled()) {
        return WordExportOutcome::Cancelled;
    }
    const std::string path = WithDocxSuffix(*chosen);
    if (Status s = h.SaveAs(path); !s) {
        TellFailure(prompts, path + "：" + ReasonInChinese(s.reason));
        return WordExportOutcome::Failed;
    }
    if (!open || !open(path)) {
        prompts.Tell("WORD报告已保存到" + path);
    }
    return WordExportOutcome::Saved;
}

bool OpenWithDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace kx
