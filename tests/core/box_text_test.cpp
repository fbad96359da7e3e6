#include "waveform/box_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kx {
namespace {

TEST(BoxText, LeadingDecimalNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12.5m", 12.5}, {"  -3.8e2x", -380}, {"+7", 7},   {".5", 0.5},   {"5.", 5},    {"3,80", 3},
        {"1e", 1},       {"1e+", 1},          {"abc", 0},  {"", 0},       {"-", 0},     {".", 0},
        {"inf", 0},      {"nan", 0},          {"0x10", 0}, {"1e-400", 0}, {"\t42", 42}, {"米5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BoxNumber(c.text), c.value) << c.text;
    }
    // Past double's range as the C library reads it; the pages take a non-finite number for
    // none (see the page texts' tests).
    EXPECT_TRUE(std::isinf(BoxNumber("1e400")));
    EXPECT_TRUE(std::isinf(BoxNumber("1e999")));
    EXPECT_EQ(BoxNumber("99999999999"), 99999999999.0);
}

TEST(BoxText, LeadingInteger) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"1000Hz", 1000},
        {" -20", -20},
        {"+5", 5},
        {"abc", 0},
        {"", 0},
        {"12.9", 12},
        {"2147483648", std::numeric_limits<int32_t>::max()},
        {"-99999999999999999999", std::numeric_limits<int32_t>::min()},
        {"1e3x", 1},
        {"0x1A", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BoxInteger(c.text), c.value) << c.text;
    }
}

TEST(BoxText, TwoDecimals) {
    EXPECT_EQ(FormatFixed2(7.6f), "7.60");
    EXPECT_EQ(FormatFixed2(4882.8125), "4882.81");
    EXPECT_EQ(FormatFixed2(2.675), "2.67");  // 2.67499999... in binary
    EXPECT_EQ(FormatFixed2(-0.001), "-0.00");
    EXPECT_EQ(FormatFixed2(0), "0.00");
    EXPECT_EQ(FormatFixed2(3.4e38).size(), 42u);
    EXPECT_EQ(FormatFixed2(12.345f), "12.35");  // the float is a little above 12.345
    EXPECT_EQ(FormatFixed(114.123456789, 6), "114.123457");
}

}  // namespace
}  // namespace kx
