// The echoes in the stacked waveform, found the way an engineer reads a trace: by their likeness
// to the blow. The trace is band-passed around the blow's own frequencies (which takes away the
// slow swing the soil's springs and the integrator's drift give it, and the sensor's ringing),
// and then matched against the blow itself, band-passed alike: wherever a wave comes back to
// the head, the match peaks with the wave's size and sign relative to the blow (positive where
// the impedance falls, at a necking or a free toe; negative where it rises, at a bulge or a toe
// in rock). An echo that comes back while the blow still lasts shows as what the blow's falling
// half has and its rising half has not.
#pragma once

#include <vector>

#include "record/pile_record.h"

namespace kx {

// A wave back at the head: a peak of the match.
struct Arrival {
    int index = 0;            // sample of the peak
    double timeUs = 0;        // from the blow's peak (two-way travel time)
    double amplitude = 0;     // the match there: the echo's size against the blow's, signed
    double sigmas = 0;        // how far it stands out of the match's noise
    bool insideBlow = false;  // it came back while the blow lasted: no size to be had
};

struct EchoScan {
    bool ok = false;  // false: no blow, too few samples or no sampling interval
    int sampleCount = 0;
    double intervalUs = 0;
    int peak = 0;      // the blow's peak
    int width = 0;     // the blow's rise from its onset to its peak, in samples
    double noise = 0;  // the match's noise deviation
    // Damping of an echo per µs of travel, from the soil's pull right after the blow.
    double fadePerUs = 0;
    std::vector<double> velocity;   // the trace, the blow's peak 1
    std::vector<double> match;      // the match, 1 at the blow's peak
    std::vector<Arrival> arrivals;  // after the blow's onset, in time order
};

EchoScan ScanEchoes(const PileRecord& rec);

}  // namespace kx
