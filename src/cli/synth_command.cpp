#include "cli/command.h"
#include "record/raw_file_writer.h"
#include "synth/synth_record.h"

namespace kx::cli {

void AddSynthCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("synth", "write a synthetic raw test file of a modelled pile");
    struct Args {
        synth::SynthOptions opt;
        std::vector<std::string> defects;
        std::string toe = "free";
        std::string out;
    };
    auto args = std::make_shared<Args>();
    synth::SynthOptions& o = args->opt;
    cmd->add_option("--length", o.pile.lengthM, "pile length in m (1-100)")->capture_default_str();
    cmd->add_option("--speed", o.pile.speedMps, "wave speed in m/s (1500-6000)")
        ->capture_default_str();
    cmd->add_option("--defect", args->defects,
                    "DEPTH:LENGTH:RATIO in m, m and impedance ratio (<1 necking, >1 bulge); "
                    "repeatable")
        ->take_all();
    cmd->add_option("--toe", args->toe, "toe condition")
        ->check(CLI::IsMember({"free", "fixed"}))
        ->capture_default_str();
    cmd->add_option("--blows", o.blows, "number of blows (1-8; at most 4 in layout 234)")
        ->capture_default_str();
    cmd->add_option("--interval", o.intervalUs, "sampling interval in us (1-200)")
        ->capture_default_str();
    cmd->add_option("--samples", o.samples, "samples per waveform (16-1024)")
        ->capture_default_str();
    cmd->add_option("--noise", o.noise, "noise RMS relative to the peak signal (0-1)")
        ->capture_default_str();
    cmd->add_option("--seed", o.seed, "seed of pulse variation, noise and test time")
        ->capture_default_str();
    cmd->add_option("--site", o.site, "construction site (UTF-8, stored as GBK)")
        ->capture_default_str();
    cmd->add_option("--pile", o.pileNumber, "pile number (UTF-8, stored as GBK)")
        ->capture_default_str();
    cmd->add_option("--layout", o.layout, "raw file layout")
        ->check(CLI::IsMember({123, 234}))
        ->capture_default_str();
    cmd->add_option("-o", args->out, "raw test file to write (.kxd)")->required();
    cmd->callback([&ctx, args]() {
        synth::SynthOptions& opt = args->opt;
        opt.pile.toe =
            args->toe == "fixed" ? synth::ToeCondition::kFixed : synth::ToeCondition::kFree;
        opt.pile.defects.clear();
        for (const std::string& text : args->defects) {
            synth::Defect d;
            if (Status st = synth::ParseDefect(text, d); !st) {
                throw CLI::ValidationError(st.reason);
            }
            opt.pile.defects.push_back(d);
        }
        if (FileSuffix(args->out) != "kxd") {
            throw CLI::ValidationError("-o " + args->out + ": a raw test file must end in .kxd");
        }
        synth::SynthResult res = synth::MakeSynthRecord(opt);
        if (!res.status) {
            throw CLI::ValidationError(res.status.reason);
        }
        for (const std::string& w : res.warnings) {
            ctx.Warn(args->out, w);
        }
        if (Status st = WriteRawFile(args->out, res.record, res.stamp); !st) {
            ctx.Fail(args->out, st.reason);
        }
    });
}

}  // namespace kx::cli
