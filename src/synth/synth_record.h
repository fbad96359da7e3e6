// A synthetic raw pile test: the pile model struck by several slightly different blows,
// recorded as an accelerometer would, with the header an instrument would write.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/pile_record.h"
#include "record/raw_file_writer.h"
#include "record/status.h"
#include "synth/field_model.h"
#include "synth/pile_model.h"

namespace kx::synth {

inline constexpr double kPulseDurationUs = 800.0;  // nominal hammer contact time
inline constexpr int kOnsetSamples = 8;            // samples recorded before the blow
// Peak accelerometer signal of a nominal blow, in ADC counts (2^23 counts = 3000 mV).
inline constexpr double kPeakCounts = 0.35 * 8388608.0;

// The field model (--field): the physics real records have, each with a default a site might
// well show. Without --field the ideal model of pile_model.h makes the record.
struct FieldOptions {
    bool enabled = false;
    double soilLoss = 0.4;           // share of the toe echo the shaft's soil takes, 0-0.95
    std::vector<double> soilLayers;  // relative strengths of equal layers, head to toe
    double soilSpringHz = 250.0;     // the soil spring's corner frequency
    double toeDashpot = 0.25;        // the toe's soil (free and spring toes), share of Z
    double toeSpringHz = 400.0;      // the toe's spring (spring toe)
    double q = 40.0;                 // material damping, quality factor (0: none)
    double speedGradient = 0.0;      // speed at the toe / speed at the head - 1
    PulseShape pulse = PulseShape::kHalfSine;
    double pulseMs = 0.8;          // hammer contact time, 0.3-1.5 ms
    double pulseSpread = 0.08;     // its blow-to-blow variation (share)
    double doubleHit = 0.0;        // chance of a double hit per blow
    double resonanceHz = 20000.0;  // the accelerometer's mounted resonance (0: none)
    double antiAlias = 0.8;        // anti-alias cut-off, share of the Nyquist (0: none)
    int pretrigger = 8;            // samples before the blow
    double offset = 0.0;           // DC offset, share of the peak signal
    double drift = 0.0;            // slow drift over the record, share of the peak signal
    double quantum = 1.0;          // the converter's step, in counts
};

struct SynthOptions {
    PileModel pile;
    FieldOptions field;
    int blows = 4;
    int intervalUs = 20;
    int samples = 1024;
    double noise = 0.01;  // noise RMS relative to the peak signal of a nominal blow
    uint32_t seed = 1;
    std::string site = "演示工地";  // UTF-8
    std::string pileNumber = "1#";  // UTF-8
    int layout = 234;
};

// "DEPTH:LENGTH:RATIO[:TAPER]" in metres, metres, impedance ratio and metres.
Status ParseDefect(std::string_view text, Defect& out);

// Checks every option; the reason names the option at fault.
Status ValidateSynthOptions(const SynthOptions& opt);

struct SynthResult {
    Status status;
    PileRecord record;
    RawFileStamp stamp;
    std::vector<std::string> warnings;  // the file is written all the same
};

// Builds the raw test record of the options (validating them first). Equal options give an
// equal record, byte for byte once written.
SynthResult MakeSynthRecord(const SynthOptions& opt);

// Integrity class an engineer would give the modelled pile: a necking lowers it by how much
// impedance is lost; bulges and the toe do not.
std::string ExpectedIntegrityClass(const PileModel& pile);

}  // namespace kx::synth
