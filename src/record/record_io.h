// The two file formats' readers and the analysis-file writer, over file images in memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "record/pile_record.h"

namespace kx {

struct WaveDump;

// Largest file image worth reading: every valid raw or analysis file is far smaller, and
// bytes after the waveform block are never used.
inline constexpr size_t kMaxTestFileBytes = 256 * 1024;

inline constexpr char kMagic[4] = {'Q', 'R', 'V', 'A'};
inline constexpr const char* kReserveTooSmall = "原参数预留空间不足！！！";

// Fill `rec` from a raw ("kxd", big-endian) or analysis ("kxc", little-endian) file image.
// They assume `rec` holds defaults and leave it partly filled on failure; the caller resets.
// The diagnostic dump of a successful read is written at once, or kept in `heldDump` when
// one is given.
ReadOutcome ReadRawImage(PileRecord& rec, std::span<const uint8_t> bytes,
                         WaveDump* heldDump = nullptr);
ReadOutcome ReadAnalysisImage(PileRecord& rec, std::span<const uint8_t> bytes,
                              WaveDump* heldDump = nullptr);

// Reason given for a wrong magic; the caller also clears the owner's current path.
inline constexpr const char* kBadMagic = "not a test file (wrong magic)";

}  // namespace kx
