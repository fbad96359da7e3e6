#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "cli/batch.h"
#include "waveform/blow_editing.h"
#include "waveform/exponential_amplification.h"
#include "waveform/low_pass_filter.h"
#include "waveform/spectrum.h"
#include "waveform/stacking.h"
#include "waveform/wave_operations.h"

namespace kx::cli {
namespace {

// The exponential amplification's largest gain, as the window's dialog allows.
constexpr double kMaxAmplifyGain = 10.0;

// Values of every occurrence of the options that take one, in the order given.
struct ProcessArgs {
    std::vector<std::string> files;
    std::string dir, outDir;
    bool loaded = false;
    std::vector<int> lowpass, smooth, cutFront, cutBack, deleteBlow;
    std::vector<std::string> amplify;
    int integrate = 0, zero = 0, reverse = 0, restack = 0;
};

CLI::Option* AddValueOp(CLI::App* cmd, const std::string& name, std::vector<int>& values,
                        const std::string& valueName, const std::string& what) {
    return cmd->add_option(name, values, what)
        ->type_name(valueName)
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

// "G" or "G:T": gain 0-10 per ms, from T µs on (T >= 0, default 0).
struct Amplification {
    double gain = 0;
    double startUs = 0;
};

std::optional<Amplification> ParseAmplification(const std::string& text) {
    Amplification g;
    const size_t colon = text.find(':');
    auto number = [](const std::string& s, double& out) {
        const char* end = s.data() + s.size();
        const auto [ptr, ec] = std::from_chars(s.data(), end, out);
        return ec == std::errc() && ptr == end && std::isfinite(out);
    };
    if (!number(text.substr(0, colon), g.gain) || g.gain < 0 || g.gain > kMaxAmplifyGain) {
        return std::nullopt;
    }
    if (colon != std::string::npos &&
        (!number(text.substr(colon + 1), g.startUs) || g.startUs < 0)) {
        return std::nullopt;
    }
    return g;
}

// Applies the operations to the record in the order they were given on the command line.
void ApplyOperations(const CLI::App& cmd, const ProcessArgs& a, PileRecord& rec) {
    int32_t* stacked = rec.waves[kStackedSlot].data();
    const int n = rec.SampleCount();
    std::map<std::string, size_t> used;  // occurrences of each option consumed so far
    auto next = [&used](const std::string& name, const std::vector<int>& values) {
        return values.at(used[name]++);
    };
    for (const CLI::Option* opt : cmd.parse_order()) {
        const std::string name = opt->get_name();
        if (name == "--lowpass") {
            LowPassFilter(stacked, next(name, a.lowpass), rec.sampleIntervalUs, n);
        } else if (name == "--integrate") {
            IntegrateWave(stacked, n);
        } else if (name == "--zero") {
            ZeroWave(stacked, n);
        } else if (name == "--smooth") {
            SmoothWave(stacked, n, next(name, a.smooth));
        } else if (name == "--reverse") {
            ReverseWave(stacked, n);
        } else if (name == "--restack") {
            RestackWave(rec);
        } else if (name == "--cut-front") {
            CutFront(stacked, n, next(name, a.cutFront));
        } else if (name == "--cut-back") {
            CutBack(stacked, n, next(name, a.cutBack));
        } else if (name == "--amplify") {
            const Amplification g = ParseAmplification(a.amplify.at(used[name]++)).value();
            AmplifyExponential(stacked, n, rec.sampleIntervalUs, g.gain, g.startUs);
        } else if (name == "--delete-blow") {
            SpectrumBuffer unused{};
            DeleteBlow(&rec, next(name, a.deleteBlow), unused);
        }
    }
}

}  // namespace

void AddProcessCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand(
        "process", "apply waveform operations, in the order given, and write an analysis file");
    auto a = std::make_shared<ProcessArgs>();
    // IN OUT, or with -o OUTDIR the inputs FILE... (or --dir DIR), each written there under
    // its own name.
    auto* files = cmd->add_option("IN OUT | FILE", a->files,
                                  "IN and the analysis file OUT to write (may be IN); with -o, the "
                                  "raw (.kxd) or analysis (.kxc) files to process");
    auto* dir =
        cmd->add_option("--dir", a->dir, "with -o: a project directory's raw and analysis files");
    files->excludes(dir);
    cmd->add_option("-o,--out-dir", a->outDir,
                    "write each file under this folder with its own name (.kxd becomes .kxc)");
    cmd->add_flag("--loaded", a->loaded, "apply the project loader's post-read steps first");
    AddValueOp(cmd, "--lowpass", a->lowpass, "HZ", "low-pass filter with cut-off HZ");
    cmd->add_flag("--integrate", a->integrate, "integrate (drift removed, rescaled)");
    cmd->add_flag("--zero", a->zero, "subtract the mean from sample 64 on");
    AddValueOp(cmd, "--smooth", a->smooth, "P", "moving average of P points")
        ->check(CLI::Range(1, std::numeric_limits<int>::max()));
    cmd->add_flag("--reverse", a->reverse, "reverse the polarity");
    cmd->add_flag("--restack", a->restack, "stacked waveform := mean of the present blows");
    AddValueOp(cmd, "--cut-front", a->cutFront, "I", "samples 0..I-1 := 0 (I clamped to 0..N)");
    AddValueOp(cmd, "--cut-back", a->cutBack, "I", "samples I..N-1 := 0 (I clamped to 0..N)");
    AddValueOp(cmd, "--delete-blow", a->deleteBlow, "B", "delete blow B (0-7) and re-stack")
        ->check(CLI::Range(0, 7));
    cmd->add_option("--amplify", a->amplify,
                    "multiply the sample at t by exp(G max(0, t - T) / 1 ms), G 0-10, T in us")
        ->type_name("G[:T]")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(
            [](const std::string& v) {
                return ParseAmplification(v)
                           ? std::string()
                           : std::string("expected G[:T] with G 0 to 10 and T >= 0");
            },
            "G[:T]");
    cmd->callback([&ctx, cmd, a]() {
        if (a->outDir.empty()) {
            if (!a->dir.empty() || a->files.size() != 2) {
                throw CLI::ValidationError("give IN OUT, or -o OUTDIR with FILE... or --dir DIR");
            }
            PileRecord rec;
            if (!LoadRecord(ctx, a->files[0], a->loaded, rec)) {
                return;
            }
            ApplyOperations(*cmd, *a, rec);
            if (Status st = rec.WriteAnalysisFile(a->files[1]); !st) {
                ctx.Fail(a->files[1], st.reason);
            }
            return;
        }
        std::vector<std::string> paths;
        if (!InputPaths(ctx, FileInputs{a->files, a->dir}, true, paths)) {
            return;
        }
        std::error_code ec;
        if (!std::filesystem::is_directory(a->outDir, ec)) {
            ctx.Fail(a->outDir, "not a directory");
            return;
        }
        RunForEachFile(ctx, paths, true, a->loaded, [&](const std::string& path, PileRecord& rec) {
            FileResult r;
            ApplyOperations(*cmd, *a, rec);
            std::filesystem::path out =
                std::filesystem::path(a->outDir) / std::filesystem::path(path).filename();
            out.replace_extension(".kxc");
            // Written with the others once every file is done.
            if (Status st = rec.CheckedAnalysisFileBytes(r.outBytes); !st) {
                r.error = out.string() + ": " + st.reason;
                return r;
            }
            r.outPath = out.string();
            r.object = nlohmann::ordered_json{{"out", out.string()}};
            return r;
        });
    });
}

}  // namespace kx::cli
