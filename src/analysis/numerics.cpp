#include "analysis/numerics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kx {

double Median(std::vector<double>& x) {
    if (x.empty()) {
        return 0.0;
    }
    const auto mid = x.begin() + static_cast<std::ptrdiff_t>(x.size() / 2);
    std::nth_element(x.begin(), mid, x.end());
    return *mid;
}

bool SolveSymmetric(std::vector<double>& a, std::vector<double>& b, int n) {
    for (int j = 0; j < n; ++j) {
        double d = a[j * n + j];
        for (int k = 0; k < j; ++k) {
            d -= a[j * n + k] * a[j * n + k];
        }
        if (!(d > 0.0)) {
            return false;
        }
        d = std::sqrt(d);
        a[j * n + j] = d;
        for (int i = j + 1; i < n; ++i) {
            double s = a[i * n + j];
            for (int k = 0; k < j; ++k) {
                s -= a[i * n + k] * a[j * n + k];
            }
            a[i * n + j] = s / d;
        }
    }
    for (int i = 0; i < n; ++i) {
        double s = b[i];
        for (int k = 0; k < i; ++k) {
            s -= a[i * n + k] * b[k];
        }
        b[i] = s / a[i * n + i];
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k) {
            s -= a[k * n + i] * b[k];
        }
        b[i] = s / a[i * n + i];
    }
    return true;
}

NormalEquations FormNormalEquations(const std::vector<double>& jac, int rows, int n,
                                    const std::vector<double>& residual, double weight) {
    NormalEquations eq;
    eq.jtj.assign(static_cast<size_t>(n) * n, 0.0);
    eq.jte.assign(static_cast<size_t>(n), 0.0);
    for (int c1 = 0; c1 < n; ++c1) {
        const double* j1 = &jac[static_cast<size_t>(c1) * rows];
        for (int i = 0; i < rows; ++i) {
            eq.jte[c1] += weight * j1[i] * residual[i];
        }
        for (int c2 = 0; c2 <= c1; ++c2) {
            const double* j2 = &jac[static_cast<size_t>(c2) * rows];
            double s = 0.0;
            for (int i = 0; i < rows; ++i) {
                s += j1[i] * j2[i];
            }
            eq.jtj[c1 * n + c2] = eq.jtj[c2 * n + c1] = weight * s;
        }
    }
    return eq;
}

std::optional<std::vector<double>> LevenbergMarquardtStep(const NormalEquations& eq, int n,
                                                          double lambda) {
    std::vector<double> a = eq.jtj;
    std::vector<double> b = eq.jte;
    for (int c = 0; c < n; ++c) {
        a[c * n + c] += lambda * std::max(eq.jtj[c * n + c], 1e-12);
    }
    if (!SolveSymmetric(a, b, n)) {
        return std::nullopt;
    }
    return b;
}

}  // namespace kx
