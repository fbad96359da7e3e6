// What the pile head receives back from a pile of layers: the shaft cut at its impedance
// changes into sections, a wave crossing each change partly reflected and partly passed on
// (Goupillaud's layered medium), every wave that reaches the free head reflected down again.
#pragma once

#include <vector>

namespace kx {

// An impedance change at two-way travel time `time` below the head (any unit, the same for
// every argument): a down-going velocity wave is reflected by r = (Z_above - Z_below) /
// (Z_above + Z_below) and passed on by 1 + r; an up-going one reflected by -r, passed by 1 - r.
struct ImpedanceChange {
    double time = 0;
    double r = 0;
};

// A wave arriving at the head `time` after the blow, adding `amplitude` x the incident
// velocity pulse to the head's velocity (twice the up-going wave: the head is free).
struct HeadArrival {
    double time = 0;
    double amplitude = 0;
};

// The soil's answer to one down-going wave crossing a section of the shaft: each depth of the
// section sends a little back, so the head receives, between `from` and `to`, the pulse
// smeared over that span: -amplitude x the integral over tau in [from, to] of
// exp(-fade (tau - origin)) p(t - tau), where `fade` is the damping the caller models.
struct SoilEcho {
    double from = 0;
    double to = 0;
    double origin = 0;
    double amplitude = 0;
};

struct HeadResponse {
    std::vector<HeadArrival> arrivals;
    std::vector<SoilEcho> soil;
};

// Every arrival at the head before `endTime`, primaries and multiples, for a unit incident
// wave, over changes sorted by time, with the soil along the shaft (Smith's dashpots): per unit
// of two-way travel time it sends back `soil` of a wave and takes as much away, relative to a
// section's impedance, besides the concrete's own loss `material`. Waves fallen below
// `smallest` are dropped. Below the last change the wave leaves the pile.
HeadResponse LayeredHeadResponse(const std::vector<ImpedanceChange>& changes, double soil,
                                 double material, double endTime, double smallest);

}  // namespace kx
