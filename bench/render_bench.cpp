// Painting the waveform views with the program's render code onto an off-screen image, as the
// window does on every repaint. The all-waveforms view must cost the same for a large site as
// for a small one: a paint draws only the bands inside the exposed rows.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <vector>

#include "record/pile_record.h"
#include "render/all_view_render.h"
#include "render/fonts.h"
#include "render/stacked_view_render.h"
#include "waveform/pile_markers.h"

namespace {

constexpr int kN = 1024;
constexpr int kViewWidth = 1000;
constexpr int kViewHeight = 700;
constexpr int kDistinctRecords = 50;

kx::PileRecord PileTest(int seed) {
    kx::PileRecord r;
    r.sampleCount = kN;
    r.sampleIntervalUs = 20;
    r.pileLength = 12;
    r.pileBottomTimeUs = 8000;
    r.waveAbsent.fill(false);
    for (int i = 0; i < kN; ++i) {
        const double t = i / 1024.0;
        r.waves[kx::kStackedSlot][static_cast<size_t>(i)] = static_cast<int32_t>(
            3e6 * std::exp(-6 * t) * std::sin(60 * t + seed) + 4e5 * std::sin(700 * t + seed));
    }
    return r;
}

// A project of `rows` files: 50 distinct records shared round-robin (the paint reads a band's
// record, whichever it is), each row with its own name.
struct Project {
    explicit Project(int rows) {
        for (int i = 0; i < kDistinctRecords; ++i) {
            records.push_back(PileTest(i));
        }
        for (int i = 0; i < rows; ++i) {
            names.push_back(QString("%1.kxc").arg(i + 1));
        }
    }
    kx::AllViewRowSource Source() const {
        return [this](int row) {
            return kx::AllViewRow{names[static_cast<size_t>(row)],
                                  &records[static_cast<size_t>(row) % records.size()]};
        };
    }
    int Rows() const { return static_cast<int>(names.size()); }
    std::vector<kx::PileRecord> records;
    std::vector<QString> names;
};

// One repaint of the visible part of the view, scrolled half way down the project.
void PaintVisible(QImage& image, const Project& project, const kx::AllViewRowSource& source) {
    const int scroll = project.Rows() * 150 / 2;
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    p.translate(0, -scroll);
    kx::RenderAllView(p, kViewWidth, QRect(0, scroll, kViewWidth, kViewHeight), project.Rows(),
                      source);
}

void BM_AllViewVisiblePaint(benchmark::State& state) {
    const Project project(static_cast<int>(state.range(0)));
    const kx::AllViewRowSource source = project.Source();
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        PaintVisible(image, project, source);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AllViewVisiblePaint)->Arg(50)->Arg(5000)->Unit(benchmark::kMicrosecond);

// Both site sizes in each iteration, alternating, so that the ratio is taken under the same
// machine load: counter ratio = time(5,000 piles) / time(50 piles), target at most 1.2.
void BM_AllViewPaintRatio(benchmark::State& state) {
    const Project small(50);
    const Project large(5000);
    const kx::AllViewRowSource smallSource = small.Source();
    const kx::AllViewRowSource largeSource = large.Source();
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    double smallTime = 0;
    double largeTime = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PaintVisible(image, small, smallSource);
        const auto t1 = Clock::now();
        PaintVisible(image, large, largeSource);
        const auto t2 = Clock::now();
        smallTime += std::chrono::duration<double>(t1 - t0).count();
        largeTime += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["piles50_us"] = 1e6 * smallTime / n;
    state.counters["piles5000_us"] = 1e6 * largeTime / n;
    state.counters["ratio"] = largeTime / smallTime;
}
BENCHMARK(BM_AllViewPaintRatio)->Unit(benchmark::kMicrosecond);

// For contrast: a paint that draws every band and leaves the clipping to the painter.
void BM_AllViewEveryBandPaint(benchmark::State& state) {
    const Project project(static_cast<int>(state.range(0)));
    const kx::AllViewRowSource source = project.Source();
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        kx::RenderAllView(p, kViewWidth, QRect(0, 0, kViewWidth, project.Rows() * 150),
                          project.Rows(), source);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AllViewEveryBandPaint)->Arg(50)->Arg(5000)->Unit(benchmark::kMillisecond);

// The stacked view's whole picture, as every repaint (cursor move, drag) rebuilds it.
void BM_StackedViewPaint(benchmark::State& state) {
    kx::PileRecord rec = PileTest(0);
    kx::MarkerState m;
    m.record = &rec;
    m.viewWidth = kViewWidth;
    m.topX = 40;
    m.bottomX = 400;
    m.defectX = 200;
    m.cursorX = 300;
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        kx::RenderStackedView(p, image.size(), {&m, 1, 0, 0});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StackedViewPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    kx::ui::InstallFontSubstitutes();
    QGuiApplication::setFont(kx::ui::DialogFont());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
