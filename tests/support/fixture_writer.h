// Lays out raw and analysis test files byte by byte from field values, written apart from
// the readers so that a shared misunderstanding of the layout cannot hide in both.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "record/pile_record.h"

namespace kx::test {

class Bytes {
public:
    explicit Bytes(bool bigEndian) : big_(bigEndian) {}
    Bytes& u8(uint8_t v) {
        data.push_back(v);
        return *this;
    }
    Bytes& i16(int16_t v) { return put(static_cast<uint16_t>(v), 2); }
    Bytes& i32(int32_t v) { return put(static_cast<uint32_t>(v), 4); }
    Bytes& u32(uint32_t v) { return put(v, 4); }
    Bytes& f32(float v);
    Bytes& f64(double v);
    Bytes& text(const std::string& s) {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& fill(size_t n, uint8_t v) {
        data.insert(data.end(), n, v);
        return *this;
    }
    std::vector<uint8_t> data;

private:
    Bytes& put(uint64_t v, int n);
    bool big_;
};

// A raw instrument file. Header values come from `values`; the date and time are given as
// the instrument stores them.
struct RawFixture {
    PileRecord values;
    int32_t layout = 234;
    uint32_t julianDay = 2458298;
    uint32_t millis = 3723004;
    // Waveforms as stored in the file: 9 for layout 123, 5 for layout 234.
    std::vector<std::vector<int32_t>> fileWaves;
    uint8_t trueByte = 1;  // byte written for a true flag
    // Stored count of the first header string instead of its real length.
    std::optional<int32_t> headerTextCount;
    std::vector<uint8_t> Build() const;
};

// A raw fixture with distinct, recognisable values in every field and waves of `n` samples.
RawFixture MakeRawFixture(int32_t layout, int16_t n);

// The analysis-file image of `r`, laid out from the format's table.
std::vector<uint8_t> AnalysisFixture(const PileRecord& r);

// A record with a distinct value in every field and all ten slots filled up to `n`.
PileRecord MakeFullRecord(int16_t n);

// Writes bytes to a file; returns the path.
std::string WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
// A UTF-8 text as a record holds it (GBK); the test fails when GBK cannot hold it.
std::string Gbk(const std::string& utf8);
std::vector<uint8_t> ReadFile(const std::string& path);

}  // namespace kx::test
