#include "record/test_date.h"

#include <cstdio>

namespace kx {

CalendarDate JulianDayToDate(uint32_t julianDay) {
    // 64-bit throughout: the largest day numbers overflow 32-bit intermediates.
    const int64_t jd = julianDay;
    CalendarDate d{};
    if (jd >= 2299161) {
        // Fliegel and Van Flandern (1968).
        int64_t l = jd + 68569;
        const int64_t n = 4 * l / 146097;
        l = l - (146097 * n + 3) / 4;
        const int64_t i = 4000 * (l + 1) / 1461001;
        l = l - 1461 * i / 4 + 31;
        const int64_t j = 80 * l / 2447;
        d.day = static_cast<int>(l - 2447 * j / 80);
        l = j / 11;
        d.month = static_cast<int>(j + 2 - 12 * l);
        d.year = 100 * (n - 49) + i + l;
    } else {
        // Julian calendar; day 0 is 4713 BC January 1.
        const int64_t c = jd + 32082;
        const int64_t dd = (4 * c + 3) / 1461;
        const int64_t e = c - 1461 * dd / 4;
        const int64_t m = (5 * e + 2) / 153;
        d.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
        d.month = static_cast<int>(m + 3 - 12 * (m / 10));
        d.year = dd - 4800 + m / 10;
        if (d.year <= 0) {
            d.year -= 1;
        }
    }
    return d;
}

std::string FormatTestDate(uint32_t julianDay) {
    const CalendarDate d = JulianDayToDate(julianDay);
    char buf[64];
    const long long y = d.year;
    if (d.month < 10 && d.day < 10) {
        std::snprintf(buf, sizeof buf, "%lld-0%d-0%d", y, d.month, d.day);
    } else if (d.month < 10) {
        std::snprintf(buf, sizeof buf, "%lld-0%d-%d", y, d.month, d.day);
    } else if (d.day < 10) {
        std::snprintf(buf, sizeof buf, "%lld-%d-0%d", y, d.month, d.day);
    } else {
        std::snprintf(buf, sizeof buf, "%lld-%d-%d", y, d.month, d.day);
    }
    return buf;
}

namespace {
std::string TwoDigits(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, v > 9 ? "%u" : "0%u", v);
    return buf;
}
}  // namespace

std::string FormatTestTime(uint32_t milliseconds) {
    const uint32_t s = milliseconds / 1000;
    const uint32_t hours = s / 3600;
    const uint32_t minutes = (s - 3600 * hours) / 60;
    const uint32_t seconds = s % 60;
    return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

}  // namespace kx
