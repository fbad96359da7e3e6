// Defects along the shaft: where the impedance the fit found falls (necking) or rises (bulge)
// and comes back, between the pile top and the toe.
#pragma once

#include <optional>
#include <vector>

#include "analysis/echo_fit.h"
#include "analysis/pile_toe.h"
#include "record/pile_record.h"

namespace kx {

enum class DefectKind { kNecking, kBulge };

struct PileDefect {
    double depthM = 0;  // from the pile top to where the section changes
    double timeUs = 0;  // two-way travel time of its first echo from the pile-top peak
    DefectKind kind = DefectKind::kNecking;
    // Impedance in the defect relative to the shaft above it; none where the trace cannot
    // show it (a shallow defect whose echo lies inside the blow).
    std::optional<double> ratio;
};

struct DefectOptions {
    // A section counts as a defect when its impedance is below 1 / `reportRatio` or above
    // `reportRatio` times the shaft's above it...
    double reportRatio = 1.1;
    // ...over at least this length.
    double shortestM = 0.25;
};

// Metres per µs of two-way travel time, by the length-fixed rule: the pile length over the
// toe time when both are known, else half the wave speed (none: 0).
double MetresPerMicrosecond(const PileRecord& rec, const PileToe& toe);

// The defects in a fit between the blow and `endUs`: the toe, or without one where the toe
// could be earliest (the record's end when nothing is known; see ShaftEndUs).
std::vector<PileDefect> PickDefects(const EchoFit& fit, double endUs, double metresPerUs,
                                    const DefectOptions& options = {});

// Where the shaft ends for the defects: at the toe; without one, where the toe could be
// earliest for the pile length; without a length, at the record's end.
double ShaftEndUs(const PileRecord& rec, const PileToe& toe);

// The defects of the record's stacked waveform as the project loader leaves it; nothing for
// an intact pile.
std::vector<PileDefect> FindDefects(const PileRecord& rec);

}  // namespace kx
