#include "analysis/pile_analysis.h"

#include <cmath>

namespace kx {

int RepeatsOf(const EchoScan& scan, double timeUs, double amplitude) {
    const double riseUs = scan.width * scan.intervalUs;
    if (!scan.ok || !(timeUs > riseUs)) {
        return 0;
    }
    int repeats = 0;
    for (int k = 2;; ++k) {
        bool found = false;
        for (const Arrival& a : scan.arrivals) {
            found = found || (std::fabs(a.timeUs - k * timeUs) <= riseUs &&
                              (a.amplitude > 0) == (amplitude > 0));
        }
        if (!found) {
            return repeats;
        }
        ++repeats;
    }
}

PileAnalysis AnalyzePile(const PileRecord& rec) {
    PileAnalysis out;
    const EchoScan scan = ScanEchoes(rec);
    out.toe = PickPileToe(scan, rec.pileLength, rec.waveSpeed);
    out.metresPerUs = MetresPerMicrosecond(rec, out.toe);
    out.defects = PickDefects(scan, ShaftEndUs(rec, out.toe), out.metresPerUs);
    out.impedance = ImpedanceFromDefects(scan, out.toe, out.defects, out.metresPerUs);
    for (const PileDefect& d : out.defects) {
        if (d.kind == DefectKind::kNecking) {
            out.periodicEchoes = RepeatsOf(scan, d.timeUs, 1.0);
            break;
        }
    }
    return out;
}

}  // namespace kx
