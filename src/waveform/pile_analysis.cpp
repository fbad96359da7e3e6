#include "waveform/pile_analysis.h"

namespace kx {

PileAnalysis AnalyzePile(const PileRecord& rec) {
    PileAnalysis out;
    EchoFitOptions options;
    if (rec.pileLength > 0) {
        const ToeWindow window = WindowForToe(rec.pileLength, rec.waveSpeed,
                                              rec.SampleCount() * double(rec.sampleIntervalUs));
        options.toeFromUs = window.earliest;
        options.toeToUs = window.latest;
    }
    EchoFit fit = FitEchoes(rec, options);
    out.toe = PickPileToe(fit, rec.pileLength, rec.waveSpeed);
    if (out.toe.timeUs && rec.pileLength > 0) {
        options.speed = 2e6 * rec.pileLength / *out.toe.timeUs;
        EchoFit second = FitEchoes(rec, options);
        const PileToe toe = PickPileToe(second, rec.pileLength, rec.waveSpeed);
        if (toe.timeUs) {
            fit = std::move(second);
            out.toe = toe;
        }
    }
    out.metresPerUs = MetresPerMicrosecond(rec, out.toe);
    out.defects = PickDefects(fit, out.toe, out.metresPerUs);
    out.impedance = ImpedanceFromFit(fit, out.toe, out.metresPerUs);
    return out;
}

}  // namespace kx
