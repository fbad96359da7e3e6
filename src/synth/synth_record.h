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
#include "synth/pile_model.h"

namespace kx::synth {

inline constexpr double kPulseDurationUs = 800.0;  // nominal hammer contact time
inline constexpr int kOnsetSamples = 8;            // samples recorded before the blow
// Peak accelerometer signal of a nominal blow, in ADC counts (2^23 counts = 3000 mV).
inline constexpr double kPeakCounts = 0.35 * 8388608.0;

struct SynthOptions {
    PileModel pile;
    int blows = 4;
    int intervalUs = 20;
    int samples = 1024;
    double noise = 0.01;  // noise RMS relative to the peak signal of a nominal blow
    uint32_t seed = 1;
    std::string site = "演示工地";  // UTF-8
    std::string pileNumber = "1#";  // UTF-8
    int layout = 234;
};

// "DEPTH:LENGTH:RATIO" in metres, metres and impedance ratio.
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
