// The echoes of the pile in the stacked waveform, found by fitting a model of the pile to it:
// the incident pulse, its echoes from the shaft's impedance changes (with their multiples,
// through the layered model), and the soil along the shaft, which sends back a little of the
// wave everywhere and so damps what comes back from deeper down (Smith's dashpots).
//
// The fit works on the sample-to-sample differences of the integrated trace: the
// accelerometer's noise is white there, while the integration turns it into a wander that
// would swamp the weak late echoes, and the integrator's straight-line drift removal becomes a
// constant. The changes are found by layer stripping: the misfit's echoes are picked out by
// sparse deconvolution, those that cannot be multiples of anything still unknown join the
// model, and the whole model is refined by least squares before the later echoes are looked
// at (their multiples are then part of the model).
#pragma once

#include <vector>

#include "analysis/incident_pulse.h"
#include "analysis/layered_echoes.h"
#include "record/pile_record.h"

namespace kx {

struct EchoFitOptions {
    // Soil damping, per metre of depth of a round trip: the prior of the soil's resistance
    // along the shaft (the fit refines it from the trace), and the concrete's own loss.
    double soilDampingPerM = 0.06;
    // How far the fit may take the soil's resistance from that prior: the standard deviation
    // of its logarithm (0: the prior is kept as it is).
    double soilSpread = 0.35;
    double materialDampingPerM = 0.01;
    // Wave speed that turns the damping per metre into damping per time: `speed` when set
    // (say, measured by the toe), else the record's, else `defaultSpeed`.
    double speed = 0.0;
    double defaultSpeed = 3800.0;
    // An echo is taken when it stands this many noise deviations out of the misfit...
    double detectSigmas = 5.0;
    // ...and is at least this share of the incident pulse, and this share of the strongest
    // echo (what the model cannot describe exactly stays below both).
    double smallestEcho = 0.01;
    double relativeEcho = 0.03;
    // The deconvolution's echoes must stand out by this much even after its shrinking.
    double keepSigmas = 1.0;
    // Changes the model may hold at most (a trace of more is not a pile's).
    int maxChanges = 24;
    // Where the toe must be (two-way times in µs from the pile-top peak; none when toeToUs
    // is 0): a toe too weak for detectSigmas is looked for there at toeSigmas.
    double toeFromUs = 0.0;
    double toeToUs = 0.0;
    double toeSigmas = 3.5;
    // Echoes later than this (µs from the pile-top peak; 0: none) are left out of the fit: past
    // the toe's first multiple the trace tells nothing new.
    double endUs = 0.0;
};

// An impedance change the fit found. Times are two-way travel times in µs from the incident
// pulse, so from the pile-top peak.
struct FoundChange {
    double timeUs = 0;
    double r = 0;       // velocity reflection coefficient (positive: impedance falls)
    double echo = 0;    // its first echo at the head, as a share of the incident pulse
    double sigmas = 0;  // how far that echo stands out of the noise
};

struct EchoFit {
    bool ok = false;  // false: no positive peak, too few samples or no sampling interval
    int sampleCount = 0;
    double intervalUs = 0;
    int peakIndex = 0;        // the pile-top peak (first highest sample)
    double peakPosition = 0;  // the same between samples
    double scale = 0;         // trace value at the peak
    IncidentPulse pulse;
    double soilPerUs = 0;              // the soil's reflection along the shaft, per µs of travel
    double fadePerUs = 0;              // damping of a wave per µs of travel (soil and concrete)
    double noise = 0;                  // noise deviation per sample difference, share of the peak
    std::vector<FoundChange> changes;  // sorted by time
    std::vector<double> velocity;      // the normalised trace (peak 1)
};

// Fits the model to the stacked waveform of `rec` as the project loader leaves it.
EchoFit FitEchoes(const PileRecord& rec, const EchoFitOptions& options = {});

}  // namespace kx
