// The pile the report pages and the Word figures are tested on.
#pragma once

#include <string>

#include "record/gbk.h"
#include "record/pile_record.h"

namespace kx::test {

// A 10 m pile of site "滨江工地" tested 2023-05-17, 1024 samples of 20 µs: pile top at 400 µs,
// pile bottom at 5663 µs, a defect at 2000 µs (about 3.04 m). The stacked waveform is left at
// zero: each test gives it the shape it looks for.
inline PileRecord ReportPile(const std::string& pileNumber) {
    PileRecord r;
    Utf8ToGbk("滨江工地", r.site);
    r.pileNumber = pileNumber;  // ASCII in every test, the same in GBK
    r.testDate = "2023-05-17";
    r.pileLength = 10.0f;
    r.waveSpeed = 3800.0f;
    r.sampleCount = 1024;
    r.sampleIntervalUs = 20;
    r.pileTopTimeUs = 400;
    r.pileBottomTimeUs = 5663;
    r.defectTimeUs = 2000.0f;
    return r;
}

}  // namespace kx::test
