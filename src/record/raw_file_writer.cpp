#include "record/raw_file_writer.h"

#include <bit>
#include <cstring>

#include "record/file_io.h"
#include "record/record_io.h"

namespace kx {

namespace {

constexpr int32_t kConclusionArea = 991;  // text of the four layout-234 strings + reserve

// Appends numbers most significant byte first.
class BigEndianWriter {
public:
    explicit BigEndianWriter(std::vector<uint8_t>& out) : out_(out) {}

    template <typename T>
    void Write(T value) {
        uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        if constexpr (std::endian::native == std::endian::little) {
            for (size_t i = 0; i < sizeof(T) / 2; ++i) {
                std::swap(raw[i], raw[sizeof(T) - 1 - i]);
            }
        }
        out_.insert(out_.end(), raw, raw + sizeof(T));
    }
    void WriteFlag(bool f) { out_.push_back(f ? 1 : 0); }
    void WriteString(const std::string& s) {
        Write<int32_t>(static_cast<int32_t>(s.size()));
        out_.insert(out_.end(), s.begin(), s.end());
    }
    void Fill(size_t n) { out_.insert(out_.end(), n, 0); }

private:
    std::vector<uint8_t>& out_;
};

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

    std::vector<uint8_t> bytes;
    bytes.reserve(2048 + 10 * 4 * (static_cast<size_t>(rec.sampleCount) + 1));
    BigEndianWriter w(bytes);
    for (char c : kMagic) {
        w.Write<char>(c);
    }
    w.Write<int32_t>(layout);
    w.Write<float>(rec.headerValue);
    for (const std::string* s : {&rec.headerText, &rec.testingUnit, &rec.tester, &rec.remarks}) {
        w.WriteString(*s);
    }
    w.Write<uint32_t>(stamp.julianDay);
    w.Write<uint32_t>(stamp.millisOfDay);
    w.WriteString(rec.site);
    w.WriteString(rec.pileNumber);
    w.Write<float>(rec.pileLength);
    w.Write<float>(rec.waveSpeed);
    w.Write<int16_t>(rec.sampleCount);
    w.Write<int32_t>(rec.sampleIntervalUs);
    w.Write<int16_t>(rec.instrShort1);
    w.Write<int16_t>(rec.instrShort2);
    for (int32_t v : {rec.pileTopTimeUs, rec.instrInt1, rec.pileBottomTimeUs, rec.instrInt2,
                      rec.instrInt3, rec.instrInt4}) {
        w.Write<int32_t>(v);
    }
    w.WriteFlag(rec.instrFlag1);
    w.WriteFlag(rec.instrFlag2);
    w.WriteFlag(rec.instrFlag3);
    w.Write<float>(rec.instrFloat1);
    w.Write<float>(rec.instrFloat2);
    w.Write<float>(rec.defectTimeUs);
    w.Write<int32_t>(rec.instrInt5);
    w.Write<float>(rec.instrFloat3);
    w.Write<int32_t>(rec.lowPassHz);
    w.Write<float>(rec.instrFloat4);
    w.Write<float>(rec.instrFloat5);
    for (int16_t v : rec.channelShorts) {
        w.Write<int16_t>(v);
    }
    w.WriteFlag(rec.instrFlag7);
    for (bool v : rec.waveAbsent) {
        w.WriteFlag(v);
    }
    for (int32_t v : rec.channelInts) {
        w.Write<int32_t>(v);
    }
    w.WriteFlag(rec.instrFlag4);
    w.WriteFlag(rec.invertPending);
    w.WriteFlag(rec.instrFlag5);
    w.WriteFlag(rec.integrated);
    w.Write<double>(rec.longitude);
    w.Write<double>(rec.latitude);
    w.Write<int32_t>(rec.instrInt6);
    w.Write<int32_t>(rec.instrInt7);
    w.Write<int32_t>(rec.instrInt8);
    w.WriteFlag(rec.instrFlag6);
    if (layout == 234) {
        for (const std::string* s : conclusion) {
            w.WriteString(*s);
        }
    }
    w.Fill(static_cast<size_t>(kConclusionArea - conclusionBytes));

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
    out = std::move(bytes);
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
