// Opening a project of 2,000 piles in the main window, on Qt's offscreen platform: how soon
// the rows are listed and the first pile is shown, how long until every record is loaded,
// and the longest the event loop went without running (the largest gap between the ticks of
// a 10 ms timer, measured from just before the project is opened until it is loaded), each the
// median of R opens, and the median of the opens' ratios of listed to loaded. Beside "listed",
// the processor time the user-interface thread spent until then: what the window itself costs,
// apart from waiting for a core.
//
//   kx_window_bench [--files N] [--repeat R]
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "../bench_projects.h"
#include "render/fonts.h"
#include "ui/kx7300_dlg.h"
#include "ui/my_list_ctrl.h"
#include "ui/project_controller.h"

namespace {

// Opens every project without asking anything.
class Silent : public kx::UserPrompts {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return {}; }
    std::optional<std::string> AskOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
        return {};
    }
    kx::OverwriteAnswer AskOverwrite(const std::string&) override {
        return kx::OverwriteAnswer::No;
    }
};

struct Run {
    double listedMs = 0;      // OpenProjectAt returned and the list painted its rows
    double listedCpuMs = 0;   // the user-interface thread's processor time until then
    double firstPileMs = 0;   // row 0, selected at once, shown on the pages
    double loadedMs = 0;      // every record loaded
    double longestGapMs = 0;  // of the 10 ms timer
};

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Run OpenOnce(kx::ui::CKX7300Dlg& window, const std::string& dir) {
    kx::ui::CProjectController* project = window.Project();
    kx::ui::CMylistCtrl* list = window.FileList();
    Run run;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    clock.start();
    ticker.start(10);
    const double cpuAtStart = ThreadCpuMs();

    project->OpenProjectAt(QString::fromStdString(dir));
    list->viewport()->repaint();
    run.listedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    run.listedCpuMs = ThreadCpuMs() - cpuAtStart;
    list->selectionModel()->setCurrentIndex(
        list->model()->index(0, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    bool firstShown = false;
    while (project->Loading() || !firstShown) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (!firstShown && project->GetWorkspace().m_currentIndex == 0) {
            firstShown = true;
            run.firstPileMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
    }
    run.loadedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    ticker.stop();
    longestGap = std::max(longestGap, clock.nsecsElapsed() - lastTick);
    run.longestGapMs = static_cast<double>(longestGap) / 1e6;
    return run;
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
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--files") == 0) {
            files = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--repeat") == 0) {
            repeat = std::max(1, std::atoi(argv[i + 1]));
        }
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
    for (int which : {1, 0}) {
        std::vector<double> listed, listedCpu, first, loaded, gap, ratio;
        for (int r = 0; r < repeat; ++r) {
            const Run run = OpenOnce(window, projects.dir[which]);
            listed.push_back(run.listedMs);
            listedCpu.push_back(run.listedCpuMs);
            first.push_back(run.firstPileMs);
            loaded.push_back(run.loadedMs);
            gap.push_back(run.longestGapMs);
            ratio.push_back(run.listedMs / run.loadedMs);
        }
        std::printf("%-20s %10.1f %12.1f %12.1f %10.1f %14.1f %15.3f\n",
                    which ? "saved files" : "files to integrate", Median(listed), Median(listedCpu),
                    Median(first), Median(loaded), Median(gap), Median(ratio));
    }
    return 0;
}
