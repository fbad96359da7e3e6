// Tools that condition a waveform in place, on int32 ADC counts.
#pragma once

#include <cstdint>

namespace kx {

// Integrates samples[0..count-1]: running sum, removal of the straight line from the origin
// along the mean slope, then rescaling so that the peak magnitude becomes 2^22 counts.
void IntegrateWave(int32_t* samples, int count);

}  // namespace kx
