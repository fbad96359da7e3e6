// Helpers shared by the record-layer tests.
#pragma once

#include <string>
#include <vector>

#include "record/pile_record.h"

namespace kx::test {

struct CountingOwner : RecordOwner {
    int cleared = 0;
    void ClearCurrentPath() override { ++cleared; }
};

inline std::string FileText(const std::string& path) {
    std::vector<uint8_t> b;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
    return std::string(b.begin(), b.end());
}

// A record as freshly constructed, but with the magic given.
inline PileRecord DefaultsWithMagic(const std::array<char, 4>& magic) {
    PileRecord r;
    r.magic = magic;
    return r;
}

}  // namespace kx::test
