// kxtool report: the report of a print list without the window. The files given (or a
// project directory's analysis files in list order) are loaded as the project loader loads
// them and form the print list; --pdf writes the pages the print preview shows, --docx the
// Word report and --figures its JPEG figures.
#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/command.h"
#include "cli/report_outputs.h"
#include "print/print_settings.h"
#include "print/report_page_layout.h"
#include "render/fonts.h"
#include "render/report_pdf.h"
#include "workspace/project_files.h"
#include "workspace/project_records.h"

namespace kx::cli {

namespace {

struct ReportArgs {
    std::vector<std::string> files;
    std::string dir;
    std::string pdf;
    std::string docx;
    std::string figures;
    PrintSettings settings;
    std::string title;
    int perPage = 0;
    std::string margins;
    int startPage = 1;
    std::string footer = "page";
    std::vector<std::string> hide;
    std::string cover;
};

// Qt's own notes (a missing runtime directory and the like) are no concern of a report and
// would break kxtool's one-line-per-failure stderr; its critical and fatal messages pass.
QtMessageHandler g_qtMessages = nullptr;

void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && g_qtMessages != nullptr) {
        g_qtMessages(type, context, text);
    }
}

// Fonts and the PDF writer need a GUI application. kxtool has none until a report is made;
// it then gets one for the rest of the process, on the offscreen platform (unless one is
// named), since a batch tool has no display to use.
bool EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    g_qtMessages = qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char name[] = "kxtool";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    ui::InstallFontSubstitutes();
    return true;
}

// "L,R": two decimal numbers of millimetres, each 0 to 100 like the dialog's spin buttons.
bool ParseMargins(const std::string& text, std::string& left, std::string& right) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    auto number = [](const std::string& part) {
        std::istringstream in(part);
        double v = 0;
        in >> v;
        return in && in.eof() && v >= kMinSideMarginMm && v <= kMaxSideMarginMm;
    };
    left = text.substr(0, comma);
    right = text.substr(comma + 1);
    return number(left) && number(right);
}

void ApplyHidden(const std::vector<std::string>& items, PrintSettings& s) {
    for (const std::string& item : items) {
        if (item == "site")
            s.showSite = false;
        if (item == "pile")
            s.showPileNumber = false;
        if (item == "length")
            s.showPileLength = false;
        if (item == "speed")
            s.showWaveSpeed = false;
        if (item == "defect")
            s.showDefect = false;
        if (item == "top")
            s.showPileTop = false;
        if (item == "bottom")
            s.showPileBottom = false;
        if (item == "shape")
            s.showPileShape = false;
        if (item == "ruler")
            s.showRuler = false;
    }
}

// The settings from the options; bad values are usage errors.
PrintSettings SettingsFrom(const ReportArgs& a, const CLI::App& cmd) {
    PrintSettings s;
    if (cmd.count("--title") > 0) {
        s.title = a.title;
    }
    if (cmd.count("--per-page") > 0) {
        s.pilesPerPage = std::to_string(a.perPage);
    }
    if (cmd.count("--margins") > 0 && !ParseMargins(a.margins, s.leftMarginMm, s.rightMarginMm)) {
        throw CLI::ValidationError("--margins " + a.margins +
                                   ": expected L,R in millimetres, each 0 to 100");
    }
    s.startPage = a.startPage;
    s.pageNumberFooter = a.footer == "page";
    s.writer = a.settings.writer;
    s.reporter = a.settings.reporter;
    s.halfWave = a.settings.halfWave;
    s.classInBlock = a.settings.classInBlock;
    s.pageOfTotal = a.settings.pageOfTotal;
    s.wordPageNumbers = a.settings.wordPageNumbers;
    if (!a.cover.empty()) {
        if (Status st = ReadReportHeaderFile(a.cover, s.cover); !st) {
            throw CLI::ValidationError("--cover " + a.cover + ": " + st.reason);
        }
        s.coverPage = true;
    }
    ApplyHidden(a.hide, s);
    return s;
}

}  // namespace

void AddReportCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("report", kReportDescription);
    auto args = std::make_shared<ReportArgs>();
    auto* files = cmd->add_option("FILE", args->files, "analysis or raw test files, in order");
    auto* dir = cmd->add_option("--dir", args->dir,
                                "a project directory: its analysis files in project-list order");
    files->excludes(dir);
    cmd->add_option("--pdf", args->pdf, "write the report pages as a PDF");
    cmd->add_option("--docx", args->docx, "write the Word report");
    cmd->add_option("--figures", args->figures, "write the JPEG figures 1.jpg ... into DIR");
    cmd->add_option("--title", args->title, "report title");
    cmd->add_option("--per-page", args->perPage, "piles per page (1-14)")
        ->check(CLI::Range(kMinPilesPerPage, kMaxPilesPerPage));
    cmd->add_option("--margins", args->margins, "left and right margins in mm: L,R");
    cmd->add_option("--start-page", args->startPage, "number of the first page")
        ->check(CLI::Range(1, 1000000));
    cmd->add_option("--footer", args->footer, "page numbers or writer/reporter names")
        ->check(CLI::IsMember({"page", "names"}));
    cmd->add_option("--writer", args->settings.writer, "writer named in the names footer");
    cmd->add_option("--reporter", args->settings.reporter, "reporter named in the names footer");
    cmd->add_flag("--half-wave", args->settings.halfWave, "draw the first half of each waveform");
    cmd->add_flag("--class-in-block", args->settings.classInBlock,
                  "each pile block shows its integrity class and conclusion");
    cmd->add_flag("--page-of-total", args->settings.pageOfTotal,
                  "the page-number footer reads 第 n 页 / 共 m 页");
    cmd->add_option("--cover", args->cover,
                    "a cover before the report from this file (工程名称=... a line, as the print "
                    "dialog keeps it in the project folder: 报告封面.txt)");
    cmd->add_flag("--word-page-numbers", args->settings.wordPageNumbers,
                  "the Word report: page numbers in the footer, the table's header row on every "
                  "page, number columns that never break");
    cmd->add_option("--hide", args->hide, "items not to show")
        ->delimiter(',')
        ->check(CLI::IsMember(
            {"site", "pile", "length", "speed", "defect", "top", "bottom", "shape", "ruler"}));

    cmd->callback([&ctx, args, cmd]() {
        if (args->files.empty() && args->dir.empty()) {
            throw CLI::ValidationError("give the files of the report or --dir DIR");
        }
        const ReportOutputs outputs{args->pdf, args->docx, args->figures};
        if (outputs.pdf.empty() && outputs.docx.empty() && outputs.figures.empty()) {
            throw CLI::ValidationError(
                "nothing to write: give --pdf OUT.pdf, --docx OUT.docx or --figures DIR");
        }
        const PrintSettings settings = SettingsFrom(*args, *cmd);

        std::vector<std::string> paths = args->files;
        if (!args->dir.empty()) {
            std::error_code ec;
            if (!std::filesystem::is_directory(args->dir, ec) ||
                !ListFilesWithSuffix(args->dir, "kxc", paths)) {
                ctx.Fail(args->dir, "not a readable directory");
                return;
            }
            SortByNumericName(paths);
            if (paths.empty()) {
                ctx.Fail(args->dir, "no analysis files in the directory");
                return;
            }
        }

        ProjectRecords records;
        records.StartLoading(paths);
        records.WaitUntilLoaded();
        bool unreadable = false;
        for (size_t i = 0; i < paths.size(); ++i) {
            if (Status st = records.ReadStatus(i); !st) {
                ctx.Fail(paths[i], st.reason);
                unreadable = true;
            }
        }
        if (unreadable) {
            return;  // nothing is written for a report with a pile missing
        }

        if (!CheckReportOutputs(ctx, outputs)) {
            return;
        }
        if (!EnsureGuiApplication()) {
            ctx.Fail("kxtool", "cannot start the font and PDF machinery");
            return;
        }
        std::vector<const PileRecord*> piles;
        for (size_t k = 0; k < paths.size(); ++k) {
            piles.push_back(records.TryGet(k));
        }
        CreatedOutputs created;
        if ((!outputs.docx.empty() || !outputs.figures.empty()) &&
            !WriteWordOutputs(ctx, settings, piles, outputs, created)) {
            created.Discard();
            return;
        }
        if (!outputs.pdf.empty()) {
            if (Status st = WriteReportPdf(outputs.pdf, settings, EntriesOf(piles)); !st) {
                ctx.Fail(outputs.pdf, st.reason);
                created.Discard();
            }
        }
    });
}

int RunDrawingCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    App app;
    Context ctx{out, err};
    AddReportCommand(app, ctx);
    return ParseAndRun(app, ctx, argc, argv);
}

}  // namespace kx::cli
