#include <gtest/gtest.h>

#include "record/test_date.h"

namespace kx {
namespace {

struct DateCase {
    uint32_t julianDay;
    const char* text;
};

TEST(TestDate, JulianDayNumbersInBothCalendars) {
    const DateCase cases[] = {
        {2451545, "2000-01-01"},  // Gregorian
        {2458298, "2018-06-28"},
        {2299161, "1582-10-15"},  // first Gregorian day
        {2299160, "1582-10-04"},  // last Julian day
        {2451910, "2000-12-31"},  // two-digit month, two-digit day
        {2451555, "2000-01-11"},  // month padded, day not
        {2451828, "2000-10-10"},
        {2451819, "2000-10-01"},
        {1721424, "1-01-01"},     // Julian calendar, 1 AD
        {1721423, "-1-12-31"},    // the day before: no year zero
        {0, "-4713-01-01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatTestDate(c.julianDay), c.text) << c.julianDay;
    }
}

TEST(TestDate, LargestDayNumberDoesNotOverflow) {
    const CalendarDate d = JulianDayToDate(0xFFFFFFFFu);
    EXPECT_GT(d.year, 11000000);
    EXPECT_GE(d.month, 1);
    EXPECT_LE(d.month, 12);
}

TEST(TestDate, TimeOfDayKeepsHoursPastMidnight) {
    const std::pair<uint32_t, const char*> cases[] = {
        {3723004, "01:02:03"}, {90000000, "25:00:00"}, {0, "00:00:00"},
        {999, "00:00:00"},     {45296000, "12:34:56"}, {0xFFFFFFFFu, "1193:02:47"},
    };
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(FormatTestTime(ms), text) << ms;
    }
}

}  // namespace
}  // namespace kx
