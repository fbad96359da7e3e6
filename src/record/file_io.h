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

// Files written as one batch (an import, a report's figures): each staged under a temporary
// name beside its target without waiting for the disk, then made durable together by one sync
// of their file system, renamed over their targets and the directories synced. Until Commit no
// target changes; a failure while staging leaves nothing of that file, and one while syncing
// leaves every target as it was. Whatever is not committed is removed with the writer.
class BatchFileWriter {
public:
    BatchFileWriter() = default;
    BatchFileWriter(const BatchFileWriter&) = delete;
    BatchFileWriter& operator=(const BatchFileWriter&) = delete;
    ~BatchFileWriter();

    Status Stage(const std::string& path, const std::vector<uint8_t>& bytes);
    // `replaced`: how many targets, in staging order, now hold their new bytes (all of them on
    // success; after a failed rename the ones before it, each whole).
    Status Commit(size_t& replaced);
    // Removes the staged files.
    void Discard();
    size_t StagedCount() const { return staged_.size(); }

private:
    struct Staged {
        std::string temporary;
        std::string target;
    };
    std::vector<Staged> staged_;
};

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
