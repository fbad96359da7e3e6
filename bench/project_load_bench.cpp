// Opening a project of 2,000 analysis files: listing plus loading every record on the loader
// thread, against merely reading the same files' bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_projects.h"
#include "workspace/workspace.h"

namespace {

using kx::bench::kFiles;
using kx::bench::Projects;
using kx::bench::TheProjects;

class OpenOnly : public kx::UserPrompts {
public:
    std::string dir;
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> BrowseForFolder(const std::string&) override { return dir; }
    std::optional<std::string> AskOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> AskSaveFile(const std::string&, const std::string&) override {
        return {};
    }
    kx::OverwriteAnswer AskOverwrite(const std::string&) override {
        return kx::OverwriteAnswer::No;
    }
};

class NoViews : public kx::WorkspaceViews {
public:
    kx::PageTexts ReadPageTexts() override { return {}; }
    void ShowRecordOnPages(const kx::PileRecord&) override {}
    bool CollectPagesIntoRecord(kx::PileRecord&) override { return true; }
    void PlaceMarkersForRecord(kx::PileRecord&) override {}
    void SetBackupWave(const kx::WaveSlot&) override {}
    void RestoreWave(kx::PileRecord&) override {}
    float DefectDepth(const kx::PileRecord&) override { return 0.0f; }
    void ComputeSpectrum(const kx::PileRecord&) override {}
    void SetRawViewSelectedBlow(int) override {}
    void SetAllViewRowCount(int) override {}
};

size_t ReadAllBytes(const std::vector<std::string>& paths) {
    size_t total = 0;
    std::vector<uint8_t> buf;
    for (const std::string& p : paths) {
        const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        ::fstat(fd, &st);
        buf.resize(static_cast<size_t>(st.st_size));
        size_t got = 0;
        while (got < buf.size()) {
            const ssize_t n = ::read(fd, buf.data() + got, buf.size() - got);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        ::close(fd);
        total += got;
        benchmark::DoNotOptimize(buf.data());
    }
    return total;
}

double LoadProject(const std::string& dir) {
    OpenOnly prompts;
    prompts.dir = dir;
    NoViews views;
    kx::Workspace ws(prompts, views);
    const auto t0 = std::chrono::steady_clock::now();
    ws.OpenProject();
    ws.WaitUntilLoaded();
    const auto t1 = std::chrono::steady_clock::now();
    if (ws.m_records.LoadedCount() != kFiles)
        std::abort();
    return std::chrono::duration<double>(t1 - t0).count();
}

// Arg 1: saved files; arg 0: files the loader still has to integrate.
void BM_ReadProjectBytes(benchmark::State& state) {
    const auto& paths = TheProjects().paths[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAllBytes(paths));
    }
}
BENCHMARK(BM_ReadProjectBytes)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_OpenAndLoadProject(benchmark::State& state) {
    const Projects& p = TheProjects();
    const int which = static_cast<int>(state.range(0));
    double load = 0, bytes = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        ReadAllBytes(p.paths[which]);
        bytes += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double t = LoadProject(p.dir[which]);
        load += t;
        state.SetIterationTime(t);
    }
    state.counters["bytes_ms"] = 1000 * bytes / static_cast<double>(state.iterations());
    state.counters["load_ms"] = 1000 * load / static_cast<double>(state.iterations());
    state.counters["load_per_bytes"] = load / bytes;
}
BENCHMARK(BM_OpenAndLoadProject)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
