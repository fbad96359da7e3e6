// The Word report of a long print list: figures drawn and written as JPEG files, the summary
// table built and the document written, for 100 and 1,000 piles at 10 piles per figure.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "print/print_settings.h"
#include "print/report_page_layout.h"
#include "render/fonts.h"
#include "render/word_figure_renderer.h"
#include "report/word_report.h"

namespace {

namespace fs = std::filesystem;

// Drawing text needs a GUI application; a benchmark has no display.
void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kx_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    kx::ui::InstallFontSubstitutes();
}

// Full-length piles with a decaying echo, a defect in every third.
std::vector<kx::PileRecord> Piles(int n) {
    std::vector<kx::PileRecord> piles(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        kx::PileRecord& r = piles[static_cast<size_t>(k)];
        r.sampleCount = 1024;
        r.sampleIntervalUs = 20;
        r.pileTopTimeUs = 400;
        r.pileBottomTimeUs = 6000;
        r.defectTimeUs = k % 3 == 0 ? 2500.0f : 0.0f;
        r.pileLength = 10.5f;
        r.waveSpeed = 3750;
        r.site = "bench site";
        r.pileNumber = std::to_string(k + 1) + "#";
        r.testDate = "2024-05-06";
        for (int i = 0; i < 1024; ++i) {
            r.waves[kx::kStackedSlot][i] =
                static_cast<int32_t>(1e6 * std::exp(-i / 300.0) * std::sin((i + k) / 25.0));
        }
    }
    return piles;
}

void BM_WordReport(benchmark::State& state) {
    EnsureGuiApplication();
    const auto piles = Piles(static_cast<int>(state.range(0)));
    std::vector<const kx::PileRecord*> entries;
    for (const kx::PileRecord& p : piles) {
        entries.push_back(&p);
    }
    std::string dir = (fs::temp_directory_path() / "kxbench-word-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::abort();
    }
    const kx::PrintSettings settings;  // 10 piles per figure
    double figures = 0;
    double document = 0;
    for (auto _ : state) {
        int32_t count = 0;
        const auto t0 = std::chrono::steady_clock::now();
        if (!kx::RenderWordFigures(settings, kx::EntriesOf(entries), dir, count)) {
            std::abort();
        }
        const auto t1 = std::chrono::steady_clock::now();
        if (!kx::WriteWordReport(entries, kx::WordFigurePaths(dir, count), dir + "/r.docx")) {
            std::abort();
        }
        figures += std::chrono::duration<double>(t1 - t0).count();
        document += std::chrono::duration<double>(std::chrono::steady_clock::now() - t1).count();
        state.counters["figures"] = count;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["figures_ms"] = 1000 * figures / n;
    state.counters["document_ms"] = 1000 * document / n;
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_WordReport)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
