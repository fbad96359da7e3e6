// The report of a whole site as a PDF: 1,000 piles against 100 (the time should grow no
// faster than the piles), the time per page, and one preview page drawn on the screen.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "render/fonts.h"
#include "render/report_page_renderer.h"
#include "render/report_pdf.h"
#include "synth/synth_record.h"
#include "waveform/pile_markers.h"
#include "workspace/load_steps.h"

namespace {

namespace fs = std::filesystem;

// Fonts and the PDF writer need a GUI application; the benchmark runs without a display.
void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "kx_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    (void)app;
    kx::ui::InstallFontSubstitutes();
}

// Full-length piles with every text of a block shown.
struct Piles {
    std::vector<kx::PileRecord> records;
    std::vector<const kx::PileRecord*> pointers;
    explicit Piles(size_t n) : records(n) {
        for (size_t k = 0; k < n; ++k) {
            kx::PileRecord& r = records[k];
            r.site = "bench site";
            r.pileNumber = std::to_string(k + 1);
            r.testDate = "2024-04-01";
            r.pileLength = 12.5f;
            r.waveSpeed = 3800;
            r.sampleCount = 1024;
            r.sampleIntervalUs = 20;
            r.pileTopTimeUs = 200;
            r.pileBottomTimeUs = 6800;
            r.defectTimeUs = 3000;
            for (int i = 0; i < 1024; ++i) {
                r.waves[kx::kStackedSlot][i] = static_cast<int32_t>(
                    ((i * 7919 + static_cast<int>(k) * 104729) % 200001) - 100000);
            }
            pointers.push_back(&r);
        }
    }
};

struct Output {
    std::string path = (fs::temp_directory_path() / "kxbench-report.pdf").string();
    ~Output() {
        std::error_code ec;
        fs::remove(path, ec);
    }
};

double WritePdf(const Piles& piles, const std::string& path) {
    const auto t0 = std::chrono::steady_clock::now();
    if (!kx::WriteReportPdf(path, kx::PrintSettings{}, kx::EntriesOf(piles.pointers))) {
        std::abort();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Arg: piles in the print list (10 per page).
void BM_ReportPdf(benchmark::State& state) {
    EnsureGuiApplication();
    const Piles piles(static_cast<size_t>(state.range(0)));
    const Output out;
    const double pages = static_cast<double>((piles.records.size() + 9) / 10);
    double total = 0;
    for (auto _ : state) {
        const double t = WritePdf(piles, out.path);
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["pages"] = pages;
    state.counters["ms_per_page"] = 1000 * total / static_cast<double>(state.iterations()) / pages;
    state.counters["pdf_kB"] = static_cast<double>(fs::file_size(out.path)) / 1024;
}
BENCHMARK(BM_ReportPdf)->Arg(100)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Both sizes in each iteration, so their ratio comes from the same conditions.
void BM_ReportPdfRatio(benchmark::State& state) {
    EnsureGuiApplication();
    const Piles small(100);
    const Piles large(1000);
    const Output out;
    double t100 = 0, t1000 = 0;
    for (auto _ : state) {
        t100 += WritePdf(small, out.path);
        t1000 += WritePdf(large, out.path);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ms_100"] = 1000 * t100 / n;
    state.counters["ms_1000"] = 1000 * t1000 / n;
    state.counters["ratio"] = t1000 / t100;
}
BENCHMARK(BM_ReportPdfRatio)->Iterations(3)->Unit(benchmark::kMillisecond);

// Records as a site gives them (the field model: soil, damping, a real hammer, noise), 50
// distinct piles of 8-27 m shared round-robin, each in the print list under its own number.
struct FieldPiles {
    std::vector<kx::PileRecord> records;
    std::vector<const kx::PileRecord*> pointers;
    explicit FieldPiles(size_t n) {
        std::vector<kx::PileRecord> distinct;
        for (uint32_t k = 1; k <= 50; ++k) {
            kx::synth::SynthOptions o;
            o.pile.lengthM = 8.0 + k % 20;
            o.field.enabled = true;
            o.seed = k;
            kx::synth::SynthResult r = kx::synth::MakeSynthRecord(o);
            kx::ApplyLoadSteps(r.record);
            kx::PlaceMarkersForRecord(r.record, 1);
            distinct.push_back(std::move(r.record));
        }
        records.reserve(n);
        for (size_t k = 0; k < n; ++k) {
            records.push_back(distinct[k % distinct.size()]);
            records.back().pileNumber = std::to_string(k + 1);
        }
        for (const kx::PileRecord& r : records) {
            pointers.push_back(&r);
        }
    }
};

// Arg: piles of a site in the print list (10 per page), written as 输出PDF writes them.
void BM_ReportPdfSite(benchmark::State& state) {
    EnsureGuiApplication();
    static const FieldPiles all(1000);
    const size_t n = static_cast<size_t>(state.range(0));
    const std::vector<const kx::PileRecord*> entries(all.pointers.begin(),
                                                     all.pointers.begin() + n);
    const Output out;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!kx::WriteReportPdf(out.path, kx::PrintSettings{}, kx::EntriesOf(entries))) {
            std::abort();
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["pdf_kB"] = static_cast<double>(fs::file_size(out.path)) / 1024;
}
BENCHMARK(BM_ReportPdfSite)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// One page as the preview draws it: a sheet of 1,000 screen pixels' height.
void BM_PreviewPage(benchmark::State& state) {
    EnsureGuiApplication();
    const Piles piles(10);
    const QPageLayout layout = kx::ReportPdfPageLayout();
    const QRect full = layout.fullRectPixels(kx::kReportDpi);
    const QRect paint = layout.paintRectPixels(kx::kReportDpi);
    const double scale = 1000.0 / full.height();
    QImage image(static_cast<int>(full.width() * scale), 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.translate(paint.topLeft());
        kx::RenderReportPage(painter, kx::PrintSettings{}, kx::EntriesOf(piles.pointers), 1,
                             QRect(QPoint(0, 0), paint.size()));
    }
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);

}  // namespace
