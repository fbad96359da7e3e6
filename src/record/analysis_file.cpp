// The program's own record file ("kxc"): little-endian, magic "QRVA", every field of the
// record and all ten waveform slots.
#include <bit>
#include <cstring>

#include "record/byte_reader.h"
#include "record/file_io.h"
#include "record/header_fields.h"
#include "record/record_io.h"

namespace kx {

namespace {

constexpr char kMarker[5] = {'t', 'e', 's', 't', '\0'};
constexpr size_t kReservedBytes = 1024;
constexpr uint8_t kReservedFill = 0x2C;
constexpr int32_t kMaxStoredString = 1024;  // text plus its terminating zero

bool ReadStoredString(ByteReader& in, std::string& field, Status& status) {
    const int32_t n = in.Read<int32_t>();
    if (in.failed()) {
        return false;
    }
    if (n < 0 || n > kMaxStoredString) {
        status = Status::Fail("string length " + std::to_string(n) + " at offset " +
                              std::to_string(in.offset() - 4) + " out of range");
        return false;
    }
    char buf[kMaxStoredString];
    if (!in.ReadBytes(buf, static_cast<size_t>(n))) {
        return false;
    }
    field.assign(buf, strnlen(buf, static_cast<size_t>(n)));
    return true;
}

void WriteStoredString(ByteWriter& out, const std::string& s) {
    out.Write<int32_t>(static_cast<int32_t>(s.size() + 1));
    out.WriteBytes(s.data(), s.size());
    out.Write<uint8_t>(0);
}

}  // namespace

ReadOutcome ReadAnalysisImage(PileRecord& rec, std::span<const uint8_t> bytes, WaveDump* heldDump) {
    ByteReader in(bytes, std::endian::little);
    auto truncated = [&]() {
        return ReadOutcome{
            Status::Fail("file ends early at offset " + std::to_string(bytes.size())), {}};
    };
    in.ReadBytes(rec.magic.data(), 4);
    if (in.failed()) {
        return truncated();
    }
    if (std::memcmp(rec.magic.data(), kMagic, 4) != 0) {
        return {Status::Fail(kBadMagic), {}};
    }
    rec.formatVersion = in.Read<int32_t>();
    rec.headerValue = in.Read<float>();

    Status bad;
    for (std::string* s : {&rec.headerText, &rec.testingUnit, &rec.tester, &rec.remarks,
                           &rec.testDate, &rec.testTime, &rec.site, &rec.pileNumber}) {
        if (!ReadStoredString(in, *s, bad)) {
            return in.failed() ? truncated() : ReadOutcome{bad, {}};
        }
    }
    ReadAcquisitionFields(in, rec);
    if (!in.failed() && (rec.sampleCount < 0 || rec.sampleCount > kMaxSamples)) {
        const int16_t n = rec.sampleCount;
        rec.sampleCount = 0;
        return {Status::Fail("sample count " + std::to_string(n) + " out of range"), {}};
    }
    in.Skip(sizeof kMarker);
    ReadTrailingFields(in, rec);
    in.Skip(sizeof kMarker);
    if (in.failed()) {
        return truncated();
    }
    for (std::string* s :
         {&rec.integrityClass, &rec.concreteStrength, &rec.pileDiameter, &rec.instrumentNumber}) {
        if (!ReadStoredString(in, *s, bad)) {
            return in.failed() ? truncated() : ReadOutcome{bad, {}};
        }
    }
    in.Skip(kReservedBytes);
    const int n = rec.sampleCount;
    for (auto& slot : rec.waves) {
        in.ReadInt32s(slot.data(), static_cast<size_t>(n));
    }
    if (in.failed()) {
        return truncated();
    }
    DumpWaveOrHold(heldDump, "读KXC文件后.txt", rec.waves[kStackedSlot].data(), n);
    return {};
}

std::vector<uint8_t> PileRecord::AnalysisFileBytes() const {
    ByteWriter out;
    out.bytes().reserve(1220 + 12 * 64 + 40 * static_cast<size_t>(SampleCount()));
    out.WriteBytes(magic.data(), 4);
    out.Write(formatVersion);
    out.Write(headerValue);
    for (const std::string* s :
         {&headerText, &testingUnit, &tester, &remarks, &testDate, &testTime, &site, &pileNumber}) {
        WriteStoredString(out, *s);
    }
    WriteAcquisitionFields(out, *this);
    out.WriteBytes(kMarker, sizeof kMarker);
    WriteTrailingFields(out, *this);
    out.WriteBytes(kMarker, sizeof kMarker);
    for (const std::string* s :
         {&integrityClass, &concreteStrength, &pileDiameter, &instrumentNumber}) {
        WriteStoredString(out, *s);
    }
    out.bytes().insert(out.bytes().end(), kReservedBytes, kReservedFill);
    const int n = SampleCount();
    for (const auto& slot : waves) {
        out.WriteBytes(slot.data(), static_cast<size_t>(n) * sizeof(int32_t));
    }
    return std::move(out.bytes());
}

}  // namespace kx
