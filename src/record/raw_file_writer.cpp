#include "record/raw_file_writer.h"

#include <bit>
#include <cstring>

#include "record/byte_reader.h"
#include "record/file_io.h"
#include "record/header_fields.h"
#include "record/record_io.h"

namespace kx {

namespace {

constexpr int32_t kConclusionArea = 991;  // text of the four layout-234 strings + reserve

// A raw string: its count and its bytes, with no terminator.
void WriteRawString(ByteWriter& w, const std::string& s) {
    w.Write<int32_t>(static_cast<int32_t>(s.size()));
    w.WriteBytes(s.data(), s.size());
}

}  // namespace

uint32_t GregorianToJulianDay(int year, int month, int day) {
    const int64_t y = year;
    const int64_t m = month;
    const int64_t d = day;
    const int64_t a = (m - 14) / 12;  // -1 for January and February, else 0
    return static_cast<uint32_t>((1461 * (y + 4800 + a)) / 4 + (367 * (m - 2 - 12 * a)) / 12 -
                                 (3 * ((y + 4900 + a) / 100)) / 4 + d - 32075);
}

Status RawFileBytes(const PileRecord& rec, const RawFileStamp& stamp, std::vector<uint8_t>& out) {
    const int32_t layout = rec.formatVersion;
    if (layout != 123 && layout != 234) {
        return Status::Fail("layout " + std::to_string(layout) + " is neither 123 nor 234");
    }
    if (rec.sampleCount < 0 || rec.sampleCount > kMaxSamples) {
        return Status::Fail("sample count " + std::to_string(rec.sampleCount) + " out of range");
    }
    const std::string* const header[] = {&rec.headerText, &rec.testingUnit, &rec.tester,
                                         &rec.remarks,    &rec.site,        &rec.pileNumber};
    const std::string* const conclusion[] = {&rec.integrityClass, &rec.concreteStrength,
                                             &rec.pileDiameter, &rec.instrumentNumber};
    for (const std::string* s : header) {
        if (s->size() > static_cast<size_t>(kMaxStringBytes)) {
            return Status::Fail("string of " + std::to_string(s->size()) +
                                " bytes is longer than 1023");
        }
    }
    int32_t conclusionBytes = 0;
    if (layout == 234) {
        for (const std::string* s : conclusion) {
            if (s->size() > static_cast<size_t>(kMaxStringBytes)) {
                return Status::Fail("string of " + std::to_string(s->size()) +
                                    " bytes is longer than 1023");
            }
            conclusionBytes += static_cast<int32_t>(s->size());
        }
        if (conclusionBytes > kConclusionArea) {
            return Status::Fail("conclusion strings take " + std::to_string(conclusionBytes) +
                                " bytes, more than their 991-byte area");
        }
    }

    ByteWriter w(std::endian::big);
    w.bytes().reserve(2048 + 10 * 4 * (static_cast<size_t>(rec.sampleCount) + 1));
    for (char c : kMagic) {
        w.Write<char>(c);
    }
    w.Write<int32_t>(layout);
    w.Write<float>(rec.headerValue);
    for (const std::string* s : {&rec.headerText, &rec.testingUnit, &rec.tester, &rec.remarks}) {
        WriteRawString(w, *s);
    }
    w.Write<uint32_t>(stamp.julianDay);
    w.Write<uint32_t>(stamp.millisOfDay);
    WriteRawString(w, rec.site);
    WriteRawString(w, rec.pileNumber);
    WriteAcquisitionFields(w, rec);
    WriteTrailingFields(w, rec);
    if (layout == 234) {
        for (const std::string* s : conclusion) {
            WriteRawString(w, *s);
        }
    }
    w.bytes().insert(w.bytes().end(), static_cast<size_t>(kConclusionArea - conclusionBytes), 0);

    const int n = rec.sampleCount;
    auto writeSlot = [&](int slot) {
        for (int i = 0; i < n; ++i) {
            w.Write<int32_t>(rec.waves[slot][i]);
        }
    };
    if (layout == 123) {
        for (int slot = 0; slot <= kStackedSlot; ++slot) {
            w.Write<int32_t>(0);
            writeSlot(slot);
        }
    } else {
        for (int slot : {0, 1, 2, 3, kStackedSlot}) {
            writeSlot(slot);
        }
    }
    out = std::move(w.bytes());
    return Status::Ok();
}

Status WriteRawFile(const std::string& path, const PileRecord& rec, const RawFileStamp& stamp) {
    std::vector<uint8_t> bytes;
    if (Status st = RawFileBytes(rec, stamp, bytes); !st) {
        return st;
    }
    return WriteFileAtomically(path, bytes);
}

}  // namespace kx
