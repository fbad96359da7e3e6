#include "waveform/pile_analysis.h"

namespace kx {

PileAnalysis AnalyzePile(const PileRecord& rec) {
    PileAnalysis out;
    EchoFit fit = FitEchoes(rec);
    out.toe = PickPileToe(fit, rec.pileLength, rec.waveSpeed);
    if (out.toe.timeUs && rec.pileLength > 0) {
        EchoFitOptions options;
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
