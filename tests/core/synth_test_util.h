// A synthetic pile test as the project holds it: generated, written as a raw file, read back
// and given the loader's post-read steps (the stacked waveform integrated).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "record/raw_file_writer.h"
#include "synth/synth_record.h"
#include "workspace/load_steps.h"

namespace kx::test {

inline PileRecord LoadedSynthRecord(const synth::SynthOptions& opt) {
    const synth::SynthResult res = synth::MakeSynthRecord(opt);
    EXPECT_TRUE(res.status) << res.status.reason;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(RawFileBytes(res.record, res.stamp, bytes));
    PileRecord rec;
    const ReadOutcome read = rec.ReadTestBytes(nullptr, bytes, true);
    EXPECT_TRUE(read) << read.status.reason;
    EXPECT_TRUE(read.messages.empty());
    ApplyLoadSteps(rec);
    return rec;
}

}  // namespace kx::test
