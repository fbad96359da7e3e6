// The property both reader targets check: a record that was read keeps its sample count in
// range, and once stored it reads back to the very same file image.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "record/pile_record.h"

inline void CheckReadAndRoundTrip(const uint8_t* data, size_t size, bool rawFile) {
    const std::vector<uint8_t> bytes(data, data + size);
    kx::PileRecord rec;
    const kx::ReadOutcome out = rec.ReadTestBytes(nullptr, bytes, rawFile);
    if (rec.sampleCount < 0 || rec.sampleCount > kx::kMaxSamples) {
        std::abort();
    }
    if (out) {
        const auto image = rec.AnalysisFileBytes();
        kx::PileRecord again;
        if (!again.ReadTestBytes(nullptr, image, false) || again.AnalysisFileBytes() != image) {
            std::abort();
        }
    }
}
