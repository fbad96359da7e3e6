#include "analysis/numerics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kx {
namespace {

TEST(Numerics, MedianTakesTheUpperMiddleOfAnEvenCount) {
    struct Case {
        std::vector<double> values;
        double median;
    } cases[] = {
        {{}, 0.0}, {{7}, 7}, {{3, 1, 2}, 2}, {{4, 1, 3, 2}, 3}, {{-1, -1, 5, -1}, -1},
    };
    for (Case& c : cases) {
        EXPECT_EQ(Median(c.values), c.median);
    }
}

TEST(Numerics, CholeskySolvesAndRefusesWhatIsNotPositiveDefinite) {
    // [4 2; 2 3] x = [10; 8]  ->  x = [1.75, 1.5]
    std::vector<double> a{4, 2, 2, 3};
    std::vector<double> b{10, 8};
    ASSERT_TRUE(SolveSymmetric(a, b, 2));
    EXPECT_NEAR(b[0], 1.75, 1e-12);
    EXPECT_NEAR(b[1], 1.5, 1e-12);

    for (std::vector<double> bad : {std::vector<double>{1, 2, 2, 1}, {0, 0, 0, 0}}) {
        std::vector<double> rhs{1, 1};
        EXPECT_FALSE(SolveSymmetric(bad, rhs, 2));
    }
}

// Fitting y = p0 + p1 t to exact data: the normal equations of the residuals at p = 0 give
// the parameters in one undamped step, and damping shortens the step toward zero.
TEST(Numerics, LevenbergMarquardtStepSolvesALinearFit) {
    const int rows = 5;
    std::vector<double> jac(2 * rows);
    std::vector<double> residual(rows);
    for (int i = 0; i < rows; ++i) {
        jac[i] = 1.0;       // d y / d p0
        jac[rows + i] = i;  // d y / d p1
        residual[i] = 2.0 + 0.5 * i;
    }
    const NormalEquations eq = FormNormalEquations(jac, rows, 2, residual, 4.0);
    EXPECT_DOUBLE_EQ(eq.jtj[0], 4.0 * 5);
    EXPECT_DOUBLE_EQ(eq.jtj[1], 4.0 * 10);
    EXPECT_DOUBLE_EQ(eq.jtj[2], eq.jtj[1]);
    EXPECT_DOUBLE_EQ(eq.jtj[3], 4.0 * 30);

    const auto exact = LevenbergMarquardtStep(eq, 2, 0.0);
    ASSERT_TRUE(exact);
    EXPECT_NEAR((*exact)[0], 2.0, 1e-12);
    EXPECT_NEAR((*exact)[1], 0.5, 1e-12);

    const auto damped = LevenbergMarquardtStep(eq, 2, 10.0);
    ASSERT_TRUE(damped);
    EXPECT_LT(std::hypot((*damped)[0], (*damped)[1]), std::hypot(2.0, 0.5));

    // A column of zeros still has a definite damped system; a negative damping that makes
    // the system indefinite is refused.
    std::vector<double> flat(2 * rows, 0.0);
    for (int i = 0; i < rows; ++i) {
        flat[i] = 1.0;
    }
    EXPECT_TRUE(LevenbergMarquardtStep(FormNormalEquations(flat, rows, 2, residual, 1.0), 2, 1.0));
    EXPECT_FALSE(LevenbergMarquardtStep(eq, 2, -2.0));
}

}  // namespace
}  // namespace kx
