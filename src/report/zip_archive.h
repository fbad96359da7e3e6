// Packs named byte buffers into a ZIP archive in memory (the container of a Word document).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/status.h"

namespace kx {

struct ZipMember {
    std::string name;                   // path inside the archive, '/'-separated
    const std::vector<uint8_t>* bytes;  // must outlive the call
    bool compress = true;               // deflate; false stores as is (JPEG is compressed already)
};

// The archive of `members`, in the order given, into `out`.
Status BuildZipArchive(const std::vector<ZipMember>& members, std::vector<uint8_t>& out);

}  // namespace kx
