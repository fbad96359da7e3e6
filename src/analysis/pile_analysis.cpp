#include "analysis/pile_analysis.h"

namespace kx {

PileAnalysis AnalyzePile(const PileRecord& rec) {
    PileAnalysis out;
    const EchoScan scan = ScanEchoes(rec);
    out.toe = PickPileToe(scan, rec.pileLength, rec.waveSpeed);
    out.metresPerUs = MetresPerMicrosecond(rec, out.toe);
    out.defects = PickDefects(scan, ShaftEndUs(rec, out.toe), out.metresPerUs);
    out.impedance = ImpedanceFromDefects(scan, out.toe, out.defects, out.metresPerUs);
    return out;
}

}  // namespace kx
