// Sparse-spike deconvolution: the fewest, smallest echoes of a known wavelet that explain a
// signal, by the L1-penalised least squares (basis pursuit denoising) solved with FISTA
// (Beck and Teboulle 2009). Close echoes of opposite sign that a one-at-a-time search mistakes
// for a single one come out apart.
#pragma once

#include <vector>

namespace kx {

// An echo the deconvolution found: a run of neighbouring delays of one sign, merged.
struct SparseEcho {
    double delay = 0;      // amplitude-weighted mean delay, in samples
    double amplitude = 0;  // summed amplitude
    double strength = 0;   // |amplitude| x the wavelet's norm: the echo's size in the signal
};

// Finds spikes g[d] for delays d in [minDelay, maxDelay] so that signal[i] is explained by the
// sum over d of g[d] wavelet[i - offset - d], minimising 1/2 |misfit|^2 + penalty x |g|_1.
// Samples before `from` are not fitted. Returns the merged echoes in delay order.
std::vector<SparseEcho> SparseDeconvolve(const std::vector<double>& signal, int from,
                                         const std::vector<double>& wavelet, int offset,
                                         int minDelay, int maxDelay, double penalty,
                                         int iterations);

}  // namespace kx
