// Development aid (not committed): fit one synthetic pile and print what the fit found.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "record/raw_file_writer.h"
#include "synth/synth_record.h"
#include "waveform/echo_fit.h"
#include "workspace/load_steps.h"

using namespace kx;

int main(int argc, char** argv) {
    synth::SynthOptions o;
    o.pile.lengthM = argc > 1 ? atof(argv[1]) : 15;
    o.pile.speedMps = argc > 2 ? atof(argv[2]) : 3800;
    o.noise = argc > 3 ? atof(argv[3]) : 0.01;
    o.intervalUs = argc > 4 ? atoi(argv[4]) : 20;
    o.pile.toe = (argc > 5 && std::string(argv[5]) == "fixed") ? synth::ToeCondition::kFixed
                                                              : synth::ToeCondition::kFree;
    if (argc > 8 && atof(argv[6]) > 0) {
        o.pile.defects.push_back({atof(argv[6]), atof(argv[7]), atof(argv[8])});
    }
    o.seed = argc > 9 ? atoi(argv[9]) : 7;
    bool dump = argc > 10;
    auto res = synth::MakeSynthRecord(o);
    if (!res.status) { fprintf(stderr, "%s\n", res.status.reason.c_str()); return 1; }
    PileRecord rec = res.record;
    ApplyLoadSteps(rec);
    rec.waveSpeed = 3800;
    EchoFitOptions eo; if (getenv("MAXC")) eo.maxChanges = atoi(getenv("MAXC"));
    EchoFit fit = FitEchoes(rec, eo);
    printf("true toe %.1f us; L=%.2f c=%.0f\n", 2 * o.pile.lengthM / o.pile.speedMps * 1e6,
           o.pile.lengthM, o.pile.speedMps);
    for (auto& d : o.pile.defects) {
        printf("true defect at %.1f us .. %.1f us ratio %.2f r=%.3f\n",
               2 * d.depthM / o.pile.speedMps * 1e6,
               2 * (d.depthM + d.lengthM) / o.pile.speedMps * 1e6, d.ratio,
               (1 - d.ratio) / (1 + d.ratio));
    }
    printf("ok=%d peak=%d (%.2f) noise=%.5f soil/us=%.3g (prior %.3g) fade/us=%.3g pulse first %d len %zu peak %.2f\n",
           fit.ok, fit.peakIndex, fit.peakPosition, fit.noise, fit.soilPerUs,
           0.06 * 3800 / 2 * 1e-6, fit.fadePerUs, fit.pulse.first, fit.pulse.shape.size(),
           fit.pulse.peak);
    for (auto& c : fit.changes) {
        printf("  change t=%8.1f us  r=%+.3f echo=%+.4f sigmas=%.1f\n", c.timeUs, c.r, c.echo,
               c.sigmas);
    }
    if (dump) {
        for (size_t i = 0; i < fit.velocity.size(); ++i) {
            printf("%zu %.5f %.5f\n", i, fit.velocity[i], fit.modelVelocity[i]);
        }
    }
}
