// The waveform tools, the spectrum and the marker placement on a full record (N = 1024):
// each runs on a user action and should stay far below a frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "record/pile_record.h"
#include "waveform/blow_editing.h"
#include "waveform/low_pass_filter.h"
#include "waveform/pile_markers.h"
#include "waveform/spectrum.h"
#include "waveform/stacked_view_geometry.h"
#include "waveform/stacking.h"
#include "waveform/wave_operations.h"

namespace {

constexpr int kN = 1024;

// A decaying oscillation with an echo, roughly what a stacked blow looks like.
std::vector<int32_t> PileWave(int phase) {
    std::vector<int32_t> s(kN);
    for (int i = 0; i < kN; ++i) {
        const double t = i / 1024.0;
        s[i] = static_cast<int32_t>(3e6 * std::exp(-6 * t) * std::sin(60 * t + phase) +
                                    4e5 * std::sin(700 * t));
    }
    return s;
}

kx::PileRecord FullRecord() {
    kx::PileRecord r;
    std::memcpy(r.magic.data(), "QRVA", 4);
    r.sampleCount = kN;
    r.sampleIntervalUs = 20;
    r.pileLength = 12;
    r.pileBottomTimeUs = 8000;
    r.defectTimeUs = 4000;
    for (int slot = 0; slot <= kx::kStackedSlot; ++slot) {
        const std::vector<int32_t> w = PileWave(slot);
        std::copy(w.begin(), w.end(), r.waves[slot].begin());
        r.waveAbsent[slot] = false;
    }
    return r;
}

// Runs `op` on a fresh copy of the waveform each iteration (the copy is not timed).
template <typename Op>
void OnWave(benchmark::State& state, Op op) {
    const std::vector<int32_t> wave = PileWave(0);
    std::vector<int32_t> s(kN);
    for (auto _ : state) {
        state.PauseTiming();
        s = wave;
        state.ResumeTiming();
        op(s.data());
        benchmark::ClobberMemory();
    }
}

void BM_LowPassFilter(benchmark::State& state) {
    OnWave(state, [](int32_t* s) { kx::LowPassFilter(s, 1000, 20, kN); });
}
BENCHMARK(BM_LowPassFilter);

void BM_IntegrateWave(benchmark::State& state) {
    OnWave(state, [](int32_t* s) { kx::IntegrateWave(s, kN); });
}
BENCHMARK(BM_IntegrateWave);

void BM_ZeroWave(benchmark::State& state) {
    OnWave(state, [](int32_t* s) { kx::ZeroWave(s, kN); });
}
BENCHMARK(BM_ZeroWave);

void BM_SmoothWave(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    OnWave(state, [points](int32_t* s) { kx::SmoothWave(s, kN, points); });
}
BENCHMARK(BM_SmoothWave)->Arg(5)->Arg(101)->Arg(1024);

void BM_ReverseWave(benchmark::State& state) {
    OnWave(state, [](int32_t* s) { kx::ReverseWave(s, kN); });
}
BENCHMARK(BM_ReverseWave);

void BM_CutFront(benchmark::State& state) {
    OnWave(state, [](int32_t* s) {
        kx::CutFront(s, kN, kx::CutIndexAtCursor(500, 1000, 1, kN).value_or(0));
    });
}
BENCHMARK(BM_CutFront);

void BM_RestackWave(benchmark::State& state) {
    kx::PileRecord r = FullRecord();
    for (auto _ : state) {
        kx::RestackWave(r);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestackWave);

void BM_DeleteBlowWithSpectrum(benchmark::State& state) {
    const kx::PileRecord full = FullRecord();
    kx::PileRecord r;
    kx::SpectrumBuffer spectrum{};
    for (auto _ : state) {
        state.PauseTiming();
        r = full;
        state.ResumeTiming();
        kx::DeleteBlow(&r, 3, spectrum);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DeleteBlowWithSpectrum);

void BM_ComputeSpectrum(benchmark::State& state) {
    kx::PileRecord r = FullRecord();
    r.sampleCount = static_cast<int16_t>(state.range(0));
    kx::SpectrumBuffer spectrum{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx::ComputeSpectrum(r, spectrum));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeSpectrum)->Arg(1024)->Arg(1000)->Arg(100);

void BM_PlaceMarkersForRecord(benchmark::State& state) {
    kx::PileRecord r = FullRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx::PlaceMarkersForRecord(r, 1000));
    }
}
BENCHMARK(BM_PlaceMarkersForRecord);

void BM_StackedPlot(benchmark::State& state) {
    const std::vector<int32_t> wave = PileWave(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kx::StackedPlot(wave.data(), kN, 1000, 2));
    }
}
BENCHMARK(BM_StackedPlot);

}  // namespace
