// The waveform tools, the spectrum and the marker placement on a full record (N = 1024):
// each runs on a user action and should stay far below a frame.
#include <benchmark/benchmark.h>
#include <fftw3.h>

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

// The spectrum transform alone (FFT of the zero-padded input, amplitudes, scaling) on a
// buffer refilled each iteration; argument: the sample count, which sets the length n.
void BM_SpectrumTransform(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<int32_t> wave = PileWave(0);
    kx::SpectrumBuffer x{};
    for (auto _ : state) {
        std::copy(wave.begin(), wave.begin() + count, x.begin());
        benchmark::DoNotOptimize(kx::SpectrumTransform(x, count));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpectrumTransform)->Arg(1024)->Arg(100);

// The yardstick: FFTW's single-precision transform of the same length n (argument), planned
// once with FFTW_MEASURE. Complex input with a zero imaginary part, as the spectrum
// transforms it, and FFTW's real-input transform, which does half the work.
void BM_FftwComplexFloat(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    fftwf_complex* in = fftwf_alloc_complex(static_cast<size_t>(n));
    fftwf_complex* out = fftwf_alloc_complex(static_cast<size_t>(n));
    fftwf_plan plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const std::vector<int32_t> wave = PileWave(0);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            in[i][0] = static_cast<float>(wave[static_cast<size_t>(i % kN)]);
            in[i][1] = 0;
        }
        fftwf_execute(plan);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}
BENCHMARK(BM_FftwComplexFloat)->Arg(1024)->Arg(256);

void BM_FftwRealFloat(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    float* in = fftwf_alloc_real(static_cast<size_t>(n));
    fftwf_complex* out = fftwf_alloc_complex(static_cast<size_t>(n / 2 + 1));
    fftwf_plan plan = fftwf_plan_dft_r2c_1d(n, in, out, FFTW_MEASURE);
    const std::vector<int32_t> wave = PileWave(0);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            in[i] = static_cast<float>(wave[static_cast<size_t>(i % kN)]);
        }
        fftwf_execute(plan);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}
BENCHMARK(BM_FftwRealFloat)->Arg(1024)->Arg(256);

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
