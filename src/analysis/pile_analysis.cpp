#include "analysis/pile_analysis.h"

namespace kx {

namespace {

// The fit follows the trace to this many times the latest toe time: the toe echo and its
// first multiple.
constexpr double kFittedToes = 2.2;

}  // namespace

PileAnalysis AnalyzePile(const PileRecord& rec) {
    PileAnalysis out;
    EchoFitOptions options;
    const ToeWindow window =
        WindowForToe(rec.pileLength, rec.waveSpeed,
                     rec.SampleCount() * static_cast<double>(rec.sampleIntervalUs));
    if (window.earliest > 0) {  // a pile length is known
        options.toeFromUs = window.earliest;
        options.toeToUs = window.latest;
        options.endUs = kFittedToes * window.latest;
    }
    const EchoFit fit = FitEchoes(rec, options);
    out.toe = PickPileToe(fit, rec.pileLength, rec.waveSpeed);
    out.metresPerUs = MetresPerMicrosecond(rec, out.toe);
    out.defects = PickDefects(fit, ShaftEndUs(rec, out.toe), out.metresPerUs);
    out.impedance = ImpedanceFromFit(fit, out.toe, out.metresPerUs);
    return out;
}

}  // namespace kx
