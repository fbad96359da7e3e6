// A plain double-precision FFT for the field model of the synthetic pile tests.
#pragma once

#include <complex>
#include <vector>

namespace kx::synth {

// In-place radix-2 transform of x (its size a power of two): X[k] = sum x[n] e^(-2 pi i k n / N),
// or with `inverse` the sum with e^(+...) divided by N.
void Fft(std::vector<std::complex<double>>& x, bool inverse);

}  // namespace kx::synth
