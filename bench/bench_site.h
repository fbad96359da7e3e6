// A site of raw test files as the instrument leaves them, for the benchmarks of the import and
// the batch commands: piles of 8-27 m in the field model (soil, damping, a real hammer, noise),
// one raw file (.kxd) each, named 1.kxd ... N.kxd.
#pragma once

#include <cstdlib>
#include <string>

#include "record/raw_file_writer.h"
#include "synth/synth_record.h"

namespace kx::bench {

inline void WriteRawSite(const std::string& dir, int files) {
    for (int k = 1; k <= files; ++k) {
        synth::SynthOptions o;
        o.pile.lengthM = 8.0 + k % 20;
        o.field.enabled = true;
        o.seed = static_cast<uint32_t>(k);
        o.site = "bench site";
        o.pileNumber = std::to_string(k) + "#";
        const synth::SynthResult r = synth::MakeSynthRecord(o);
        if (!r.status || !WriteRawFile(dir + "/" + std::to_string(k) + ".kxd", r.record, r.stamp)) {
            std::abort();
        }
    }
}

}  // namespace kx::bench
