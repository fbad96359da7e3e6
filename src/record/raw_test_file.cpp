// Reader of the instrument's raw test file ("kxd"): big-endian, layouts 123 and 234.
#include <algorithm>
#include <bit>
#include <cstring>

#include "record/byte_reader.h"
#include "record/file_io.h"
#include "record/header_fields.h"
#include "record/record_io.h"
#include "record/test_date.h"

namespace kx {

namespace {

constexpr int kLayout123 = 123;
constexpr int kLayout234 = 234;
constexpr int32_t kConclusionArea = 991;  // text bytes of the four layout-234 strings + reserve

// A raw string: int32 count, then that many bytes with no terminator; a zero byte ends the
// text early. Returns the count (for the reserve arithmetic) or -1 on a rejected count.
int32_t ReadRawString(ByteReader& in, std::string& field, Status& status) {
    const int32_t n = in.Read<int32_t>();
    if (in.failed()) {
        return -1;
    }
    if (n < 0 || n > kMaxStringBytes) {
        status = Status::Fail("string length " + std::to_string(n) + " at offset " +
                              std::to_string(in.offset() - 4) + " out of range");
        return -1;
    }
    char buf[kMaxStringBytes + 1];
    if (!in.ReadBytes(buf, static_cast<size_t>(n))) {
        return -1;
    }
    buf[n] = '\0';
    field.assign(buf, std::strlen(buf));
    return n;
}

double RoundThroughFloat(double v) {
    return static_cast<double>(static_cast<float>(v));
}

}  // namespace

ReadOutcome ReadRawImage(PileRecord& rec, std::span<const uint8_t> bytes, WaveDump* heldDump) {
    ReadOutcome out;
    ByteReader in(bytes, std::endian::big);
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
    for (std::string* s : {&rec.headerText, &rec.testingUnit, &rec.tester, &rec.remarks}) {
        if (ReadRawString(in, *s, bad) < 0) {
            return in.failed() ? truncated() : ReadOutcome{bad, {}};
        }
    }
    const auto julianDay = in.Read<uint32_t>();
    const auto millis = in.Read<uint32_t>();
    rec.testDate = FormatTestDate(julianDay);
    rec.testTime = FormatTestTime(millis);
    for (std::string* s : {&rec.site, &rec.pileNumber}) {
        if (ReadRawString(in, *s, bad) < 0) {
            return in.failed() ? truncated() : ReadOutcome{bad, {}};
        }
    }
    ReadAcquisitionFields(in, rec);
    if (!in.failed() && (rec.sampleCount < 0 || rec.sampleCount > kMaxSamples)) {
        const int16_t n = rec.sampleCount;
        rec.sampleCount = 0;
        return {Status::Fail("sample count " + std::to_string(n) + " out of range"), {}};
    }
    ReadTrailingFields(in, rec);
    rec.longitude = RoundThroughFloat(rec.longitude);
    rec.latitude = RoundThroughFloat(rec.latitude);
    if (in.failed()) {
        return truncated();
    }

    int32_t conclusionBytes = 0;
    if (rec.formatVersion == kLayout234) {
        for (std::string* s : {&rec.integrityClass, &rec.concreteStrength, &rec.pileDiameter,
                               &rec.instrumentNumber}) {
            const int32_t n = ReadRawString(in, *s, bad);
            if (n < 0) {
                return in.failed() ? truncated() : ReadOutcome{bad, {}};
            }
            conclusionBytes += n;
        }
    }
    const int32_t reserve = kConclusionArea - conclusionBytes;
    if (reserve < 0) {
        // The waveforms then follow right after the strings.
        out.messages.emplace_back(kReserveTooSmall);
    } else if (!in.Skip(static_cast<size_t>(reserve))) {
        return truncated();
    }

    const int n = rec.sampleCount;
    auto readSlot = [&](int slot) {
        in.ReadInt32s(rec.waves[slot].data(), static_cast<size_t>(n));
    };
    if (rec.formatVersion == kLayout123) {
        for (int slot = 0; slot <= kStackedSlot; ++slot) {
            in.Skip(4);
            readSlot(slot);
        }
    } else if (rec.formatVersion == kLayout234) {
        for (int slot = 0; slot < 5; ++slot) {
            readSlot(slot);
        }
        // The fifth waveform is the stacked one; slots 0-3 hold the four blows.
        rec.waves[kStackedSlot] = rec.waves[4];
        for (int slot = 4; slot < 8; ++slot) {
            rec.waves[slot].fill(0);
        }
    }
    if (in.failed()) {
        return truncated();
    }
    if (rec.formatVersion == kLayout123) {
        DumpWaveOrHold(heldDump, "读原始文件后.txt", rec.waves[kStackedSlot].data(), n);
    }
    return out;
}

}  // namespace kx
