#include "analysis/sparse_deconvolution.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

// y[i] = sum over d of g[d - minDelay] w[i - offset - d] for i in [from, n).
void Apply(const std::vector<double>& g, const std::vector<double>& w, int offset, int minDelay,
           int from, std::vector<double>& y) {
    std::fill(y.begin(), y.end(), 0.0);
    const int n = static_cast<int>(y.size());
    const int len = static_cast<int>(w.size());
    for (size_t j = 0; j < g.size(); ++j) {
        if (g[j] == 0.0) {
            continue;
        }
        const int start = offset + minDelay + static_cast<int>(j);
        for (int k = std::max(0, from - start); k < len && start + k < n; ++k) {
            y[start + k] += g[j] * w[k];
        }
    }
}

// g[d] = sum over i in [from, n) of y[i] w[i - offset - d].
void Adjoint(const std::vector<double>& y, const std::vector<double>& w, int offset, int minDelay,
             int from, std::vector<double>& g) {
    const int n = static_cast<int>(y.size());
    const int len = static_cast<int>(w.size());
    for (size_t j = 0; j < g.size(); ++j) {
        const int start = offset + minDelay + static_cast<int>(j);
        double s = 0.0;
        for (int k = std::max(0, from - start); k < len && start + k < n; ++k) {
            s += y[start + k] * w[k];
        }
        g[j] = s;
    }
}

}  // namespace

std::vector<SparseEcho> SparseDeconvolve(const std::vector<double>& signal, int from,
                                         const std::vector<double>& wavelet, int offset,
                                         int minDelay, int maxDelay, double penalty,
                                         int iterations) {
    std::vector<SparseEcho> echoes;
    const int n = static_cast<int>(signal.size());
    maxDelay = std::min(maxDelay, n - 1 - offset);
    if (maxDelay < minDelay || wavelet.empty()) {
        return echoes;
    }
    const size_t m = static_cast<size_t>(maxDelay - minDelay + 1);
    double norm2 = 0.0;
    for (double x : wavelet) {
        norm2 += x * x;
    }
    // Lipschitz constant of the gradient: |A|^2, by a few power iterations.
    std::vector<double> g(m, 1.0), y(static_cast<size_t>(n), 0.0);
    double lipschitz = norm2;
    for (int it = 0; it < 12; ++it) {
        Apply(g, wavelet, offset, minDelay, from, y);
        Adjoint(y, wavelet, offset, minDelay, from, g);
        double s = 0.0;
        for (double x : g) {
            s += x * x;
        }
        s = std::sqrt(s);
        if (!(s > 0.0)) {
            break;
        }
        lipschitz = s;
        for (double& x : g) {
            x /= s;
        }
    }
    lipschitz *= 1.05;

    std::vector<double> x(m, 0.0), xPrev(m, 0.0), z(m, 0.0), grad(m, 0.0);
    double t = 1.0;
    for (int it = 0; it < iterations; ++it) {
        Apply(z, wavelet, offset, minDelay, from, y);
        for (int i = from; i < n; ++i) {
            y[i] -= signal[i];
        }
        Adjoint(y, wavelet, offset, minDelay, from, grad);
        xPrev.swap(x);
        for (size_t j = 0; j < m; ++j) {
            const double u = z[j] - grad[j] / lipschitz;
            const double th = penalty / lipschitz;
            x[j] = u > th ? u - th : (u < -th ? u + th : 0.0);
        }
        const double tNext = 0.5 * (1.0 + std::sqrt(1.0 + 4.0 * t * t));
        const double beta = (t - 1.0) / tNext;
        for (size_t j = 0; j < m; ++j) {
            z[j] = x[j] + beta * (x[j] - xPrev[j]);
        }
        t = tNext;
    }
    const double norm = std::sqrt(norm2);
    for (size_t j = 0; j < m;) {
        if (x[j] == 0.0) {
            ++j;
            continue;
        }
        const bool positive = x[j] > 0.0;
        double sum = 0.0, weighted = 0.0;
        size_t k = j;
        for (; k < m && x[k] != 0.0 && (x[k] > 0.0) == positive; ++k) {
            sum += x[k];
            weighted += x[k] * static_cast<double>(minDelay + k);
        }
        echoes.push_back({weighted / sum, sum, std::fabs(sum) * norm});
        j = k;
    }
    return echoes;
}

}  // namespace kx
