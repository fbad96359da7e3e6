// Writer of the instrument's raw test file ("kxd"): big-endian, layouts 123 and 234, laid
// out exactly as the raw-file reader reads it. The program itself only reads raw files; the
// writer serves the synthetic test generator and tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/pile_record.h"
#include "record/status.h"

namespace kx {

// The instrument stores the test date and time as numbers; a record keeps them only as text,
// so the writer is given them separately.
struct RawFileStamp {
    uint32_t julianDay = 0;    // Julian Day Number of the test date
    uint32_t millisOfDay = 0;  // milliseconds since midnight
};

// Julian Day Number of a Gregorian calendar date (Fliegel and Van Flandern), the inverse of
// the reader's conversion for dates from 1582-10-15 on.
uint32_t GregorianToJulianDay(int year, int month, int day);

// The file image of `rec` in the layout `rec.formatVersion` (123 or 234). Layout 123 stores
// slots 0-8, each after a 4-byte word (written 0); layout 234 stores the blows of slots 0-3
// and then the stacked waveform of slot 8, plus the four conclusion strings. Fails, producing
// nothing, for another layout, a string over 1023 bytes, a sample count outside 0-1024, or
// layout-234 conclusion strings longer than their 991-byte area together (a reader would then
// complain and find the waveforms elsewhere).
Status RawFileBytes(const PileRecord& rec, const RawFileStamp& stamp, std::vector<uint8_t>& out);

// RawFileBytes written to `path` atomically.
Status WriteRawFile(const std::string& path, const PileRecord& rec, const RawFileStamp& stamp);

}  // namespace kx
