// One pile test in memory: the header of an instrument or analysis file and its ten
// waveform slots. A plain value type; copies are deep.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record/status.h"

namespace kx {

inline constexpr int kMaxSamples = 1024;  // samples per slot
inline constexpr int kSlotCount = 10;     // 0-7 blows, 8 stacked, 9 analysis-file only
inline constexpr int kStackedSlot = 8;
inline constexpr int kChannelCount = 9;  // slots 0-8 carry per-channel values
inline constexpr int kMaxStringBytes = 1023;

using WaveSlot = std::array<int32_t, kMaxSamples>;
using WaveSlots = std::array<WaveSlot, kSlotCount>;

// Whoever owns the current selection: a reader that meets a wrong magic tells it to forget
// the selected path, so that no file counts as selected.
struct WaveDump;

class RecordOwner {
public:
    virtual ~RecordOwner() = default;
    virtual void ClearCurrentPath() = 0;
};

// What a read produced besides success: messages the window shows to the user while the
// read goes on (the reader itself opens no window).
struct ReadOutcome {
    Status status;
    std::vector<std::string> messages;
    explicit operator bool() const { return status.ok; }
};

struct PileRecord {
    // Strings are GBK bytes, never more than kMaxStringBytes long when they come from a file.
    std::string cursorTimeText = "0";
    float cursorVoltage = 0.0f;
    float cursorPosition = 0.0f;
    std::array<char, 4> magic{};
    int32_t formatVersion = 0;
    float headerValue = 0.0f;
    std::string headerText;
    std::string testingUnit;
    std::string tester;
    std::string remarks;
    std::string testDate;
    std::string testTime;
    std::string site;
    std::string pileNumber;
    float pileLength = 0.0f;
    float waveSpeed = 0.0f;
    int16_t sampleCount = 0;
    int32_t sampleIntervalUs = 0;
    int16_t instrShort1 = 0;
    int16_t instrShort2 = 0;
    int32_t pileTopTimeUs = 10;
    int32_t instrInt1 = 260;
    int32_t pileBottomTimeUs = 210;
    int32_t instrInt2 = 280;
    int32_t instrInt3 = 10;
    int32_t instrInt4 = 240;
    bool instrFlag1 = false;
    bool instrFlag2 = false;
    bool instrFlag3 = false;
    float instrFloat1 = 0.0f;
    float instrFloat2 = 0.0f;
    float defectTimeUs = 0.0f;
    int32_t instrInt5 = 0;
    float instrFloat3 = 0.0f;
    int32_t lowPassHz = 1000;
    float instrFloat4 = 0.0f;
    float instrFloat5 = 0.0f;
    std::array<int16_t, kChannelCount> channelShorts{};
    bool instrFlag4 = false;
    bool invertPending = false;
    bool instrFlag5 = false;
    bool integrated = false;
    double longitude = 0.0;
    double latitude = 0.0;
    int32_t instrInt6 = 0;
    int32_t instrInt7 = 1024;
    int32_t instrInt8 = 10;
    bool instrFlag6 = false;
    bool instrFlag7 = false;
    std::array<bool, kChannelCount> waveAbsent{true, true, true, true, true,
                                               true, true, true, true};
    std::array<int32_t, kChannelCount> channelInts{};
    std::string integrityClass = "I";
    std::string concreteStrength;
    std::string pileDiameter;
    std::string instrumentNumber;
    WaveSlots waves{};

    // Number of meaningful samples per slot, clamped so loops never leave a slot.
    int SampleCount() const;

    // Fills the record from a raw test file (name ends in "kxd") or an analysis file (name
    // ends in "kxc"). On failure the record holds its defaults (with the magic read, if any).
    // `owner` may be null.
    ReadOutcome ReadTestFile(RecordOwner* owner, const std::string& path);

    // The same, from bytes already in memory; `suffixKxd` picks the raw layout.
    ReadOutcome ReadTestBytes(RecordOwner* owner, const std::vector<uint8_t>& bytes, bool rawFile);

    // The same into a record that still holds the defaults (a fresh PileRecord), parsed in
    // place so that no copy of the waveforms is made. The diagnostic dump is kept in
    // `heldDump` instead of written when one is given.
    ReadOutcome ReadFreshTestBytes(RecordOwner* owner, std::span<const uint8_t> bytes, bool rawFile,
                                   WaveDump* heldDump = nullptr);

    // Writes the record as an analysis file, atomically: the target is replaced only once the
    // new file is complete, so a failure leaves any old file as it was.
    Status WriteAnalysisFile(const std::string& path) const;
    // The bytes WriteAnalysisFile writes, after the same checks (for a batch of files).
    Status CheckedAnalysisFileBytes(std::vector<uint8_t>& out) const;

    // The analysis-file bytes of this record.
    std::vector<uint8_t> AnalysisFileBytes() const;

    bool operator==(const PileRecord&) const = default;
};

// The suffix after the last '.' of a file name ("kxd", "kxc", or anything else).
std::string FileSuffix(const std::string& path);

}  // namespace kx
