// Amplitude spectrum of a pile's averaged blows, as the spectrum view displays it.
#pragma once

#include <array>
#include <cstdint>

#include "record/pile_record.h"

namespace kx {

// The spectrum view's buffer: entries 0..n/2-1 hold the amplitudes scaled to -16383 (zero)
// .. 16384 (the highest peak); entry j belongs to j * 1e6 / (n * sampleIntervalUs) Hz.
using SpectrumBuffer = std::array<int32_t, kMaxSamples>;

// Transform length for `count` samples: 2^trunc(log2(count) + 0.1) clamped to 256..4096,
// doubled when that is shorter than the waveform, so no sample is left out.
int SpectrumLength(int count);

// Transforms x[0..count-1] in place (count clamped to 0..1024) and returns the length n:
// float32 radix-2 FFT of the zero-padded input, amplitudes scaled into x[0..n/2-1], and
// x[n/2..n-1] continuing flat from x[n/2-1]. Entries from n on are left as they were.
int SpectrumTransform(SpectrumBuffer& x, int count);

// The spectrum of the mean of the present blows (the stacked slot 8 is not used); with no
// blow present, the spectrum of silence (every entry -16383). Returns the length n.
int ComputeSpectrum(const PileRecord& rec, SpectrumBuffer& spectrum);

}  // namespace kx
