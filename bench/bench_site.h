// A site of raw test files as the instrument leaves them, for the benchmarks of the import and
// the batch commands: piles of 8-27 m in the field model (soil, damping, a real hammer, noise),
// one raw file (.kxd) each, named 1.kxd ... N.kxd. The model takes a good part of a second per
// pile, so 50 distinct piles are made and shared round-robin, each file with its own number.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "record/raw_file_writer.h"
#include "synth/synth_record.h"

namespace kx::bench {

// `field` false: the ideal model, many times faster to make (the files are read the same way).
inline void WriteRawSite(const std::string& dir, int files, bool field = true) {
    constexpr int kDistinct = 50;
    std::vector<synth::SynthResult> made;
    for (int k = 1; k <= files; ++k) {
        const int model = field ? (k - 1) % kDistinct : k - 1;
        if (model >= static_cast<int>(made.size())) {
            synth::SynthOptions o;
            o.pile.lengthM = 8.0 + (model + 1) % 20;
            o.field.enabled = field;
            o.seed = static_cast<uint32_t>(model + 1);
            o.site = "bench site";
            made.push_back(synth::MakeSynthRecord(o));
            if (!made.back().status) {
                std::abort();
            }
        }
        synth::SynthResult& r = made[static_cast<size_t>(model)];
        r.record.pileNumber = std::to_string(k) + "#";  // ASCII: the same in GBK
        if (!WriteRawFile(dir + "/" + std::to_string(k) + ".kxd", r.record, r.stamp)) {
            std::abort();
        }
        if (!field) {
            made.back() = {};  // the ideal model's records are not shared: keep none
        }
    }
}

}  // namespace kx::bench
