// Any byte sequence given to the raw-file reader either fills a record whose sample count
// stays within the slots, or is rejected; it never reads outside the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "record/pile_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    kx::PileRecord rec;
    const kx::ReadOutcome out = rec.ReadTestBytes(nullptr, bytes, true);
    if (rec.sampleCount < 0 || rec.sampleCount > kx::kMaxSamples) {
        std::abort();
    }
    if (out) {
        // Whatever was read must be storable and read back the same way.
        const auto image = rec.AnalysisFileBytes();
        kx::PileRecord again;
        if (!again.ReadTestBytes(nullptr, image, false) || again.AnalysisFileBytes() != image) {
            std::abort();
        }
    }
    return 0;
}
