// Tools that condition a waveform in place, on int32 ADC counts.
#pragma once

#include <cstdint>
#include <optional>

namespace kx {

// Integrates samples[0..count-1]: running sum, removal of the straight line from the origin
// along the mean slope, then rescaling so that the peak magnitude becomes 2^22 counts.
void IntegrateWave(int32_t* samples, int count);

// The sample index under the cursor of the stacked view (W pixels wide, zoomed), clamped to
// 0..count; none when the view has no width (no sample lies under any cursor then).
std::optional<int> CutIndexAtCursor(int cursorX, int viewWidth, int zoom, int count);

// 前切: samples 0..index-1 become 0 (index clamped to 0..count).
void CutFront(int32_t* samples, int count, int index);

// 后切: samples index..count-1 become 0 (index clamped to 0..count).
void CutBack(int32_t* samples, int count, int index);

// 反向: every sample changes sign (-2^31 becomes 2^31-1, the nearest value there is).
void ReverseWave(int32_t* samples, int count);

// 归零: subtracts the mean of all count samples from samples 64..count-1.
void ZeroWave(int32_t* samples, int count);

// 平滑: moving average of `points` samples, written back in place while the window moves
// right, so each window already holds the smoothed values left of its output position.
// Does nothing for points < 1 or points > count.
void SmoothWave(int32_t* samples, int count, int points);

}  // namespace kx
