// Any byte sequence given to the analysis-file reader is rejected or read into a record
// that writes back to a file which reads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "record/pile_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    kx::PileRecord rec;
    const kx::ReadOutcome out = rec.ReadTestBytes(nullptr, bytes, false);
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
    return 0;
}
