// The stacked waveform (slot 8) as the mean of the blows that are present (slots 0-7).
#pragma once

#include <cstdint>

#include "record/pile_record.h"

namespace kx {

// Writes the mean of the present blows into out[0..count-1] (count = the record's sample
// count), truncating toward zero; returns how many blows were present. With none present
// `out` is left unchanged and 0 is returned.
int MeanOfPresentBlows(const PileRecord& rec, int32_t* out);

// 重新叠加: the stacked waveform becomes the mean of the present blows. With no blow present
// it is left unchanged and false is returned.
bool RestackWave(PileRecord& rec);

}  // namespace kx
