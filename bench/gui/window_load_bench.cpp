// Opening a project of 2,000 piles in the main window, on Qt's offscreen platform: how soon
// the rows are listed and the first pile is shown, how long until every record is loaded,
// and the longest the event loop went without running (the largest gap between the ticks of
// a 2 ms timer, measured from just before the project is opened until it is loaded), each the
// median of R opens, and the median of the opens' ratios of listed to loaded. The first row is
// selected as a user's click would: in the event loop's next turn after the open; the last row
// of the table selects it at once, in the same turn, as the command line's FILE.kxc does. Beside
// "listed", the processor time the user-interface thread spent until then: what the window itself
// costs, apart from waiting for a core.
//
// With --tasks it then also measures the long work that runs beside the window, each in the
// median of R runs: 导入原始数据 of N raw files, 输出PDF and 输出到WORD of an N-pile print list
// (total time and the longest stall of the event loop meanwhile).
//
//   kx_window_bench [--files N] [--repeat R] [--tasks]
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "../bench_projects.h"
#include "../bench_site.h"
#include "print/qt/my_print.h"
#include "render/fonts.h"
#include "ui/background_task.h"
#include "ui/kx7300_dlg.h"
#include "ui/my_list_ctrl.h"
#include "ui/print_commands.h"
#include "ui/project_controller.h"
#include "ui/word_commands.h"

namespace {

// The ticker's period: a gap between its ticks much longer than this is the event loop stalled.
constexpr int kTickMs = 2;

// Opens every project without asking anything; saves reports where `saveAs` says.
class Silent : public kx::UserPrompts {
public:
    std::string saveAs;
    std::string folder;
    void ShowMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return folder; }
    std::optional<std::string> AskOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
        return saveAs;
    }
    kx::OverwriteAnswer AskOverwrite(const std::string&) override {
        return kx::OverwriteAnswer::No;
    }
};

struct Run {
    double listedMs = 0;      // OpenProjectAt returned and the list painted its rows
    double listedCpuMs = 0;   // the user-interface thread's processor time until then
    double firstPileMs = 0;   // row 0, once selected, shown on the pages
    double loadedMs = 0;      // every record loaded
    double longestGapMs = 0;  // of the 2 ms timer
};

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The clock since Start and the longest the event loop went without running meanwhile: the
// largest gap between the ticks of a kTickMs timer (the last gap closed when asked).
class StallMeter {
public:
    StallMeter() {
        m_ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestGap = std::max(m_longestGap, now - m_lastTick);
            m_lastTick = now;
        });
    }
    void Start() {
        m_clock.start();
        m_ticker.start(kTickMs);
    }
    double ElapsedMs() const { return static_cast<double>(m_clock.nsecsElapsed()) / 1e6; }
    double LongestStallMs() const {
        const qint64 gap = std::max(m_longestGap, m_clock.nsecsElapsed() - m_lastTick);
        return static_cast<double>(gap) / 1e6;
    }

private:
    QElapsedTimer m_clock;
    QTimer m_ticker;
    qint64 m_lastTick = 0;
    qint64 m_longestGap = 0;
};

Run OpenOnce(kx::ui::CKX7300Dlg& window, const std::string& dir, bool atOnce) {
    kx::ui::CProjectController* project = window.Project();
    kx::ui::CMylistCtrl* list = window.FileList();
    Run run;
    StallMeter meter;
    meter.Start();
    const double cpuAtStart = ThreadCpuMs();

    project->OpenProjectAt(QString::fromStdString(dir));
    list->viewport()->repaint();
    run.listedMs = meter.ElapsedMs();
    run.listedCpuMs = ThreadCpuMs() - cpuAtStart;
    // The user's click on the first row comes as the next input event, after the loop's turn.
    if (!atOnce) {
        QCoreApplication::processEvents();
    }
    list->selectionModel()->setCurrentIndex(
        list->model()->index(0, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    bool firstShown = false;
    while (project->Loading() || !firstShown) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (!firstShown && project->GetWorkspace().m_currentIndex == 0) {
            firstShown = true;
            run.firstPileMs = meter.ElapsedMs();
        }
    }
    run.loadedMs = meter.ElapsedMs();
    run.longestGapMs = meter.LongestStallMs();
    return run;
}

// Runs `start` and then the event loop until `finished`, with the 2 ms ticker measuring the
// longest gap. Returns {total ms, longest stall ms}.
template <class Start, class Finished>
std::pair<double, double> TimeBesideTheWindow(Start start, Finished finished) {
    StallMeter meter;
    meter.Start();
    start();
    while (!finished()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return {meter.ElapsedMs(), meter.LongestStallMs()};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int files = kx::bench::kFiles;
    int repeat = 5;
    bool tasks = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tasks") == 0) {
            tasks = true;
        } else if (i + 1 < argc && std::strcmp(argv[i], "--files") == 0) {
            files = std::max(1, std::atoi(argv[++i]));
        } else if (i + 1 < argc && std::strcmp(argv[i], "--repeat") == 0) {
            repeat = std::max(1, std::atoi(argv[++i]));
        }
    }
    // The raw site of the import (the ideal model: quick to make, read like any other).
    const std::string rawDir = std::filesystem::temp_directory_path() / "kxbench-raw-site";
    std::filesystem::remove_all(rawDir);
    std::filesystem::create_directories(rawDir);
    if (tasks) {
        kx::bench::WriteRawSite(rawDir, files, false);
    }
    QApplication app(argc, argv);
    kx::ui::InstallFontSubstitutes();
    QApplication::setFont(kx::ui::DialogFont());
    kx::bench::Projects projects(files);

    kx::ui::CKX7300Dlg window;
    Silent silent;
    window.Project()->SetUserPrompts(&silent);
    window.SetPromptHandler(
        [](QWidget*, const QString& text, const QString&, kx::ui::PromptButtons) {
            std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
            return kx::ui::PromptAnswer::No;
        });
    window.resize(1400, 900);
    window.show();
    QCoreApplication::processEvents();

    std::printf("%d piles, median of %d opens (ms)\n", files, repeat);
    std::printf("%-20s %10s %12s %12s %10s %14s %15s\n", "project", "listed", "(its CPU)",
                "first pile", "loaded", "longest stall", "listed/loaded");
    struct Case {
        int which;
        bool atOnce;
        const char* name;
    };
    for (const Case& c : {Case{1, false, "saved files"}, Case{0, false, "files to integrate"},
                          Case{1, true, "saved, row at once"}}) {
        std::vector<double> listed, listedCpu, first, loaded, gap, ratio;
        for (int r = 0; r < repeat; ++r) {
            const Run run = OpenOnce(window, projects.dir[c.which], c.atOnce);
            listed.push_back(run.listedMs);
            listedCpu.push_back(run.listedCpuMs);
            first.push_back(run.firstPileMs);
            loaded.push_back(run.loadedMs);
            gap.push_back(run.longestGapMs);
            ratio.push_back(run.listedMs / run.loadedMs);
        }
        std::printf("%-20s %10.1f %12.1f %12.1f %10.1f %14.1f %15.3f\n", c.name, Median(listed),
                    Median(listedCpu), Median(first), Median(loaded), Median(gap), Median(ratio));
    }
    if (!tasks) {
        return 0;
    }

    kx::ui::CProjectController* project = window.Project();
    kx::ui::CBackgroundTask* task = project->Task();
    std::printf("\n%d piles, median of %d runs (ms)\n", files, repeat);
    std::printf("%-34s %10s %14s\n", "work beside the window", "total", "longest stall");
    auto row = [&](const char* name, auto prepare, auto start, auto finished) {
        std::vector<double> total, gap;
        for (int r = 0; r < repeat; ++r) {
            prepare();
            const auto [t, g] = TimeBesideTheWindow(start, finished);
            total.push_back(t);
            gap.push_back(g);
        }
        std::printf("%-34s %10.1f %14.1f\n", name, Median(total), Median(gap));
    };

    // 导入原始数据: the raw site copied afresh each run (not timed), every file converted.
    int run = 0;
    std::string site;
    row(
        "导入原始数据 (import, all loaded)",
        [&] {
            site = projects.root + "/import" + std::to_string(run++);
            std::filesystem::copy(rawDir, site);
            silent.folder = site;
            ::sync();
        },
        [&] { project->ImportRawData(); }, [&] { return !project->Loading(); });

    // The print list of every pile of the last import, then the PDF and the Word report.
    std::vector<int> rows;
    for (int r = 0; r < static_cast<int>(project->Rows().size()); ++r) {
        rows.push_back(r);
    }
    project->SelectFile(QString::fromStdString(site + "/1.kxc"));
    while (project->Loading() || project->GetWorkspace().m_currentIndex < 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    project->GetWorkspace().AddToPrintList(rows);
    silent.saveAs = projects.root + "/report.pdf";
    row(
        "输出PDF (report of every pile)", [] {},
        [&] { window.PrintCommands()->ExportPdf([](const std::string&) {}); },
        [&] { return !task->Running(); });
    silent.saveAs = projects.root + "/report.docx";
    window.WordCommands()->SetDialogRunner([](kx::ui::CMyPrint& dialog) {
        dialog.OnConfirm();
        return dialog.Confirmed();
    });
    window.WordCommands()->SetOpener([](const std::string&) { return true; });
    row(
        "输出到WORD (report of every pile)", [] {},
        [&] { window.WordCommands()->ExportWordReport(); }, [&] { return !task->Running(); });
    return 0;
}
