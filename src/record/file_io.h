// Whole-file reads and atomic writes shared by every file format of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/status.h"

namespace kx {

// Reads at most `limit` bytes from the start of the file into `out`.
Status ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>& out);

// Writes `bytes` to a temporary file in the target's directory and renames it over the
// target once complete. On failure the target is untouched and no temporary is left.
Status WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Diagnostic dump of a waveform: samples 0 .. count-1 as "%d," with no separator and no
// line end, into `fileName` in the current directory. Failures are ignored.
void DumpWaveToFile(const char* fileName, const int32_t* samples, int count);

// A diagnostic dump held back instead of written: a loader reading thousands of files writes
// only the last one's, which is all that would survive anyway.
struct WaveDump {
    const char* fileName = nullptr;  // null: nothing to dump
    std::vector<int32_t> samples;

    void Write() const;
};

// Writes the dump now (`held` null) or keeps it in `held`.
void DumpWaveOrHold(WaveDump* held, const char* fileName, const int32_t* samples, int count);

}  // namespace kx
