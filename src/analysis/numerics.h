// The general numerics of the analysis: a median, a Cholesky solve, and the pieces of a
// Levenberg-Marquardt least-squares fit (normal equations and the damped step).
#pragma once

#include <optional>
#include <vector>

namespace kx {

// The median (for an even count, the upper of the two middle values); reorders x. 0 when
// x is empty.
double Median(std::vector<double>& x);

// Solves the symmetric positive definite n x n system a x = b in place by its Cholesky
// factor (a row-major; its lower triangle is overwritten, b becomes x). False, with a and b
// spoiled, when the matrix is not positive definite.
bool SolveSymmetric(std::vector<double>& a, std::vector<double>& b, int n);

// The normal equations of a weighted linear least-squares problem: jtj = w Jᵀ J (n x n,
// row-major) and jte = w Jᵀ e, where J is `rows` x n stored column by column (column c at
// jac[c * rows]) and e the `rows` residuals.
struct NormalEquations {
    std::vector<double> jtj;
    std::vector<double> jte;
};
NormalEquations FormNormalEquations(const std::vector<double>& jac, int rows, int n,
                                    const std::vector<double>& residual, double weight);

// The Levenberg-Marquardt step for damping `lambda`: the solution of
// (jtj + lambda diag(jtj)) step = jte, each diagonal term at least 1e-12; nothing when that
// system cannot be solved (the caller damps more and tries again).
std::optional<std::vector<double>> LevenbergMarquardtStep(const NormalEquations& eq, int n,
                                                          double lambda);

}  // namespace kx
