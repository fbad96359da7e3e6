#include "record/pile_record.h"

#include <algorithm>
#include <cstring>

#include "record/file_io.h"
#include "record/record_io.h"

namespace kx {

int PileRecord::SampleCount() const {
    return std::clamp<int>(sampleCount, 0, kMaxSamples);
}

std::string FileSuffix(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return path.substr(dot + 1);
}

ReadOutcome PileRecord::ReadTestFile(RecordOwner* owner, const std::string& path) {
    const std::string suffix = FileSuffix(path);
    if (suffix != "kxd" && suffix != "kxc") {
        *this = PileRecord{};
        return {Status::Fail("not a kxd or kxc file"), {}};
    }
    std::vector<uint8_t> bytes;
    if (Status st = ReadFileBytes(path, kMaxTestFileBytes, bytes); !st) {
        *this = PileRecord{};
        return {st, {}};
    }
    return ReadTestBytes(owner, bytes, suffix == "kxd");
}

ReadOutcome PileRecord::ReadTestBytes(RecordOwner* owner, const std::vector<uint8_t>& bytes,
                                      bool rawFile) {
    PileRecord rec;
    ReadOutcome out = rec.ReadFreshTestBytes(owner, bytes, rawFile);
    *this = std::move(rec);
    return out;
}

ReadOutcome PileRecord::ReadFreshTestBytes(RecordOwner* owner, std::span<const uint8_t> bytes,
                                           bool rawFile, WaveDump* heldDump) {
    ReadOutcome out =
        rawFile ? ReadRawImage(*this, bytes, heldDump) : ReadAnalysisImage(*this, bytes, heldDump);
    if (out.status.ok) {
        return out;
    }
    // A rejected file leaves the defaults, with the magic as read.
    const std::array<char, 4> readMagic = magic;
    *this = PileRecord{};
    magic = readMagic;
    if (out.status.reason == kBadMagic && owner != nullptr) {
        owner->ClearCurrentPath();
    }
    return out;
}

Status PileRecord::CheckedAnalysisFileBytes(std::vector<uint8_t>& out) const {
    if (sampleCount < 0 || sampleCount > kMaxSamples) {
        return Status::Fail("sample count " + std::to_string(sampleCount) + " out of range");
    }
    const std::string* strings[] = {
        &headerText,     &testingUnit,      &tester,       &remarks,
        &testDate,       &testTime,         &site,         &pileNumber,
        &integrityClass, &concreteStrength, &pileDiameter, &instrumentNumber};
    for (const std::string* s : strings) {
        // Longer texts would make a file that no reader takes back.
        if (s->size() > static_cast<size_t>(kMaxStringBytes)) {
            return Status::Fail("a text field is longer than 1023 bytes");
        }
    }
    out = AnalysisFileBytes();
    return Status::Ok();
}

Status PileRecord::WriteAnalysisFile(const std::string& path) const {
    std::vector<uint8_t> bytes;
    if (Status st = CheckedAnalysisFileBytes(bytes); !st) {
        return st;
    }
    if (Status st = WriteFileAtomically(path, bytes); !st) {
        return st;
    }
    DumpWaveToFile("保存文件后.txt", waves[kStackedSlot].data(), SampleCount());
    return Status::Ok();
}

}  // namespace kx
