// Defects along the shaft: where the impedance falls (necking: an echo like the blow, then one
// inverted where the shaft comes back) or rises (bulge: the other way round), between the pile
// top and the toe.
#pragma once

#include <optional>
#include <vector>

#include "analysis/echo_scan.h"
#include "analysis/pile_toe.h"
#include "record/pile_record.h"

namespace kx {

enum class DefectKind { kNecking, kBulge };

struct PileDefect {
    double depthM = 0;  // from the pile top to where the section changes
    double timeUs = 0;  // two-way travel time of its first echo from the pile-top peak
    double endUs = 0;   // the same of the echo where the shaft comes back; 0: not seen
    DefectKind kind = DefectKind::kNecking;
    // Impedance in the defect relative to the shaft above it; none where the trace cannot
    // show it (a shallow defect whose echo lies inside the blow).
    std::optional<double> ratio;
};

struct DefectOptions {
    // An echo counts when it stands this many noise deviations out of the match, sends back
    // at least this share of the wave (once its fading on the way is undone: an impedance
    // ratio beyond 0.9 or 1.1)...
    double sigmas = 6.0;
    double smallestReflection = 0.05;
    // ...and is at least this share of the blow inside the blow, and within `earlyRises` of
    // the blow's rise after its peak the next (a necking) or the one after (a bulge).
    double smallestInsideBlow = 0.15;
    double smallestJustAfterBlow = 0.08;
    double smallestBulgeJustAfterBlow = 0.25;
    double earlyRises = 2.5;
    // A defect's way back is looked for this far below its start.
    double longestM = 4.0;
};

// Metres per µs of two-way travel time, by the length-fixed rule: the pile length over the
// toe time when both are known, else half the wave speed (none: 0).
double MetresPerMicrosecond(const PileRecord& rec, const PileToe& toe);

// The defects in a scan between the blow and `endUs`: the toe, or without one where the toe
// could be earliest (the record's end when nothing is known; see ShaftEndUs).
std::vector<PileDefect> PickDefects(const EchoScan& scan, double endUs, double metresPerUs,
                                    const DefectOptions& options = {});

// Where the shaft ends for the defects: at the toe; without one, where the toe could be
// earliest for the pile length; without a length, at the record's end.
double ShaftEndUs(const PileRecord& rec, const PileToe& toe);

// The defects of the record's stacked waveform as the project loader leaves it; nothing for
// an intact pile.
std::vector<PileDefect> FindDefects(const PileRecord& rec);

}  // namespace kx
