#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>
#include <thread>

#include "record/file_io.h"
#include "record/record_io.h"

#include "workspace/load_steps.h"
#include "workspace/project_files.h"

namespace kx::cli {

void AddFileInputs(CLI::App* cmd, FileInputs& in) {
    auto* files = cmd->add_option("FILE", in.files, "raw (.kxd) or analysis (.kxc) files");
    auto* dir =
        cmd->add_option("--dir", in.dir, "a project directory: its files in project-list order");
    files->excludes(dir);
}

bool InputPaths(Context& ctx, const FileInputs& in, bool withRaw, std::vector<std::string>& paths) {
    if (in.files.empty() && in.dir.empty()) {
        throw CLI::ValidationError("give FILE... or --dir DIR");
    }
    paths = in.files;
    if (in.dir.empty()) {
        return true;
    }
    std::error_code ec;
    std::vector<std::string> raw;
    if (!std::filesystem::is_directory(in.dir, ec) || !ListFilesWithSuffix(in.dir, "kxc", paths) ||
        (withRaw && !ListFilesWithSuffix(in.dir, "kxd", raw))) {
        ctx.Fail(in.dir, "not a readable directory");
        return false;
    }
    // A raw file counts where no analysis file stands beside it (whose output it would share).
    const std::set<std::string> analysisFiles(paths.begin(), paths.end());
    for (const std::string& r : raw) {
        const std::string analysis = std::filesystem::path(r).replace_extension(".kxc").string();
        if (analysisFiles.count(analysis) == 0) {
            paths.push_back(r);
        }
    }
    SortByNumericName(paths);
    if (paths.empty()) {
        ctx.Fail(in.dir,
                 withRaw ? "no test files in the directory" : "no analysis files in the directory");
        return false;
    }
    return true;
}

namespace {

// One file's work as a worker leaves it for the printing thread.
struct Done {
    FileResult result;
    std::vector<std::string> warnings;
    WaveDump readDump;
    bool readOk = false;
    WaveSlot written{};  // the stacked waveform of a file to write, for the save dump
    int writtenSamples = 0;
    std::string text;  // the object as printed, made on the worker
};

// The text printed for a file's object: pretty-printed alone, or its JSON line with its path
// first. The object's values are moved into the line (the object itself stays, emptied).
std::string FormatObject(const std::string& path, bool batch, nlohmann::ordered_json& object) {
    if (!batch) {
        return object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    }
    nlohmann::ordered_json line;
    line["path"] = path;
    for (auto& [key, value] : object.items()) {
        line[key] = std::move(value);
    }
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

Done DoOne(const std::string& path, bool batch, bool loaded, const FileWork& one) {
    Done d;
    PileRecord rec;
    std::vector<uint8_t> bytes;
    const std::string suffix = FileSuffix(path);
    ReadOutcome read;
    if (suffix != "kxd" && suffix != "kxc") {
        read.status = Status::Fail("not a kxd or kxc file");
    } else if (Status st = ReadFileBytes(path, kMaxTestFileBytes, bytes); !st) {
        read.status = st;
    } else {
        read = rec.ReadFreshTestBytes(nullptr, bytes, suffix == "kxd", &d.readDump);
    }
    d.warnings = std::move(read.messages);
    if (!read) {
        d.result.error = read.status.reason;
        return d;
    }
    d.readOk = true;
    if (loaded) {
        ApplyLoadSteps(rec);
    }
    d.result = one(path, rec);
    if (!d.result.outPath.empty()) {
        d.written = rec.waves[kStackedSlot];
        d.writtenSamples = rec.SampleCount();
    }
    if (d.result.object) {
        d.text = FormatObject(path, batch, *d.result.object);
    }
    return d;
}

void Print(Context& ctx, const std::string& path, bool batch, const Done& d) {
    if (d.result.object) {
        ctx.out << d.text;
        return;
    }
    ctx.Fail(path, d.result.error);
    if (batch) {
        nlohmann::ordered_json line;
        line["path"] = path;
        line["error"] = d.result.error;
        ctx.out << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    }
}

}  // namespace

void RunForEachFile(Context& ctx, const std::vector<std::string>& paths, bool batch, bool loaded,
                    const FileWork& one) {
    const size_t n = paths.size();
    std::vector<Done> done(n);
    const size_t threads =
        std::clamp<size_t>(std::thread::hardware_concurrency(), 1, std::min<size_t>(n, 16));
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t k = next++; k < n; k = next++) {
            done[k] = DoOne(paths[k], batch, loaded, one);
        }
    };
    std::vector<std::thread> pool;
    for (size_t t = 1; t < threads; ++t) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& t : pool) {
        t.join();
    }

    // The files to write: staged in file order, made durable and put in place together.
    BatchFileWriter writer;
    std::vector<size_t> staged;
    for (size_t k = 0; k < n; ++k) {
        FileResult& r = done[k].result;
        if (!r.object || r.outPath.empty()) {
            continue;
        }
        if (Status st = writer.Stage(r.outPath, r.outBytes); !st) {
            r.object.reset();
            r.error = r.outPath + ": " + st.reason;
            continue;
        }
        r.outBytes = {};
        staged.push_back(k);
    }
    size_t replaced = 0;
    if (Status st = writer.Commit(replaced); !st) {
        for (size_t i = replaced; i < staged.size(); ++i) {
            FileResult& r = done[staged[i]].result;
            r.object.reset();
            r.error = r.outPath + ": " + st.reason;
        }
    }

    const WaveDump* lastRead = nullptr;
    const Done* lastWritten = nullptr;
    for (size_t k = 0; k < n; ++k) {
        for (const std::string& m : done[k].warnings) {
            ctx.Warn(paths[k], m);
        }
        Print(ctx, paths[k], batch, done[k]);
        if (done[k].readDump.fileName != nullptr) {
            lastRead = &done[k].readDump;
        }
        if (done[k].result.object && !done[k].result.outPath.empty()) {
            lastWritten = &done[k];
        }
    }
    if (lastRead != nullptr) {
        lastRead->Write();
    }
    if (lastWritten != nullptr) {
        DumpWaveToFile("保存文件后.txt", lastWritten->written.data(), lastWritten->writtenSamples);
    }
}

bool ReadRecordFor(Context& ctx, const std::string& path, bool loaded, PileRecord& rec,
                   std::string& error) {
    const ReadOutcome r = rec.ReadTestFile(nullptr, path);
    for (const std::string& m : r.messages) {
        ctx.Warn(path, m);
    }
    if (!r) {
        error = r.status.reason;
        return false;
    }
    if (loaded) {
        ApplyLoadSteps(rec);
    }
    return true;
}

}  // namespace kx::cli
