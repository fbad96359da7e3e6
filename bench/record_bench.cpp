// Reading and writing one analysis file image, the unit cost of loading a project.
#include <benchmark/benchmark.h>

#include <cstring>

#include "record/pile_record.h"

namespace {

kx::PileRecord SampleRecord() {
    kx::PileRecord r;
    std::memcpy(r.magic.data(), "QRVA", 4);
    r.sampleCount = 1024;
    r.site = "bench site";
    for (int s = 0; s < kx::kSlotCount; ++s)
        for (int i = 0; i < 1024; ++i)
            r.waves[s][i] = (s + 1) * i;
    return r;
}

void BM_ParseAnalysisImage(benchmark::State& state) {
    const auto bytes = SampleRecord().AnalysisFileBytes();
    kx::PileRecord r;
    for (auto _ : state) {
        benchmark::DoNotOptimize(r.ReadTestBytes(nullptr, bytes, false));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseAnalysisImage);

void BM_SerializeAnalysisImage(benchmark::State& state) {
    const kx::PileRecord r = SampleRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(r.AnalysisFileBytes());
    }
}
BENCHMARK(BM_SerializeAnalysisImage);

}  // namespace
