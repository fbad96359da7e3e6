// The points of a page's waveform that a PDF can do without: repeats and points inside a
// straight run; turns, reversals and the ends stay.
#include <gtest/gtest.h>

#include "print/straight_runs.h"

namespace kx {
namespace {

TEST(StraightRuns, OnlyPointsThatChangeNothingAreDropped) {
    using P = ReportPoint;
    struct Case {
        const char* what;
        std::vector<P> in, out;
    };
    const Case cases[] = {
        {"empty", {}, {}},
        {"one point", {{5, 5}}, {{5, 5}}},
        {"flat run", {{0, 9}, {3, 9}, {6, 9}, {9, 9}}, {{0, 9}, {9, 9}}},
        {"steady slope with uneven steps", {{0, 0}, {3, 1}, {9, 3}, {12, 4}}, {{0, 0}, {12, 4}}},
        {"a repeated point", {{0, 0}, {3, 3}, {3, 3}, {6, 0}}, {{0, 0}, {3, 3}, {6, 0}}},
        {"a turn stays", {{0, 0}, {3, 0}, {6, 1}, {9, 2}}, {{0, 0}, {3, 0}, {9, 2}}},
        {"a change of slope stays",
         {{228, 540}, {231, 537}, {235, 533}, {238, 531}},
         {{228, 540}, {235, 533}, {238, 531}}},
        // Back along the same line: the far end is part of the stroke.
        {"a reversal stays", {{0, 0}, {10, 0}, {4, 0}}, {{0, 0}, {10, 0}, {4, 0}}},
        {"vertical run", {{7, 0}, {7, 5}, {7, 9}, {8, 9}}, {{7, 0}, {7, 9}, {8, 9}}},
        {"large coordinates",
         {{0, 0}, {2000000000, 1}, {-2000000000, -1}},
         {{0, 0}, {2000000000, 1}, {-2000000000, -1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithoutStraightThroughPoints(c.in), c.out) << c.what;
    }
}

}  // namespace
}  // namespace kx
