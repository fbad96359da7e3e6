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
        std::string pulse = "half-sine";
        std::string out;
    };
    auto args = std::make_shared<Args>();
    synth::SynthOptions& o = args->opt;
    cmd->add_option("--length", o.pile.lengthM, "pile length in m (1-100)")->capture_default_str();
    cmd->add_option("--speed", o.pile.speedMps, "wave speed in m/s (1500-6000)")
        ->capture_default_str();
    cmd->add_option("--defect", args->defects,
                    "DEPTH:LENGTH:RATIO[:TAPER] in m, m, impedance ratio (<1 necking, >1 "
                    "bulge) and m over which it comes on (field model); repeatable")
        ->take_all();
    cmd->add_option("--toe", args->toe, "toe condition (spring: field model)")
        ->check(CLI::IsMember({"free", "fixed", "spring"}))
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
    // The field model and its physics.
    synth::FieldOptions& f = o.field;
    cmd->add_flag("--field", f.enabled,
                  "the field model: soil along the shaft, material damping, a real hammer and "
                  "sensor, offset and drift (the options below); without it the ideal model");
    cmd->add_option("--soil-loss", f.soilLoss,
                    "field: share of the toe echo the shaft's soil takes (0-0.95)")
        ->capture_default_str();
    cmd->add_option("--soil-layers", f.soilLayers,
                    "field: relative soil strengths of equal layers from head to toe, e.g. "
                    "1,3,2")
        ->delimiter(',');
    cmd->add_option("--soil-spring", f.soilSpringHz,
                    "field: corner frequency of the soil's spring against its dashpot, Hz")
        ->capture_default_str();
    cmd->add_option("--toe-dashpot", f.toeDashpot,
                    "field: soil under a free or spring toe, share of the pile's impedance")
        ->capture_default_str();
    cmd->add_option("--toe-spring", f.toeSpringHz, "field: the spring toe's corner frequency, Hz")
        ->capture_default_str();
    cmd->add_option("--q", f.q, "field: material damping as quality factor (0: none)")
        ->capture_default_str();
    cmd->add_option("--speed-gradient", f.speedGradient,
                    "field: wave speed at the toe relative to the head's, minus 1 (-0.3-0.3)")
        ->capture_default_str();
    std::string* pulse = &args->pulse;
    cmd->add_option("--pulse", *pulse, "field: hammer pulse shape")
        ->check(CLI::IsMember({"half-sine", "haversine"}))
        ->capture_default_str();
    cmd->add_option("--pulse-ms", f.pulseMs, "field: hammer contact time, ms (0.3-1.5)")
        ->capture_default_str();
    cmd->add_option("--pulse-spread", f.pulseSpread,
                    "field: blow-to-blow variation of the contact time (0-0.3)")
        ->capture_default_str();
    cmd->add_option("--double-hit", f.doubleHit, "field: chance of a double hit per blow (0-1)")
        ->capture_default_str();
    cmd->add_option("--resonance", f.resonanceHz,
                    "field: accelerometer resonance, Hz (0: none; 5000-60000)")
        ->capture_default_str();
    cmd->add_option("--anti-alias", f.antiAlias,
                    "field: anti-alias filter cut-off as share of the Nyquist (0: none)")
        ->capture_default_str();
    cmd->add_option("--pretrigger", f.pretrigger, "field: samples before the blow (1-100)")
        ->capture_default_str();
    cmd->add_option("--offset", f.offset, "field: DC offset, share of the peak signal")
        ->capture_default_str();
    cmd->add_option("--drift", f.drift, "field: slow drift, share of the peak signal")
        ->capture_default_str();
    cmd->add_option("--quantum", f.quantum, "field: the converter's step in counts")
        ->capture_default_str();
    cmd->add_option("-o", args->out, "raw test file to write (.kxd)")->required();
    cmd->callback([&ctx, args]() {
        synth::SynthOptions& opt = args->opt;
        opt.pile.toe = args->toe == "fixed"    ? synth::ToeCondition::kFixed
                       : args->toe == "spring" ? synth::ToeCondition::kSpring
                                               : synth::ToeCondition::kFree;
        opt.field.pulse = args->pulse == "haversine" ? synth::PulseShape::kHaversine
                                                     : synth::PulseShape::kHalfSine;
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
