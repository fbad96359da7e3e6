// The instrument stores the test date as a Julian Day Number and the time of day in
// milliseconds; records keep both as text.
#pragma once

#include <cstdint>
#include <string>

namespace kx {

struct CalendarDate {
    int64_t year;
    int month;
    int day;
};

// Gregorian calendar from day 2299161 (1582-10-15) on, Julian calendar before it, with no
// year zero (the year before 1 is -1).
CalendarDate JulianDayToDate(uint32_t julianDay);

// "YYYY-MM-DD" with month and day padded to two digits.
std::string FormatTestDate(uint32_t julianDay);

// "HH:MM:SS"; hours are not reduced modulo 24, so 90000000 ms is "25:00:00".
std::string FormatTestTime(uint32_t milliseconds);

}  // namespace kx
