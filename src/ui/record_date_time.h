// Reading a record's test date ("YYYY-MM-DD") and test time ("HH:MM:SS") for the pickers of
// the project page, and writing the pickers' values back in the same form.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <string>
#include <string_view>

namespace kx::ui {

enum class DateTimeParse {
    Ok,
    OutOfRange,        // a field failed its range check (an empty text, month 13, hour 24)
    ConversionFailed,  // the fields passed but the C library could not make a calendar time
};

struct TestDateFields {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Year from the first four characters, month from the two at offset 5, day from the last two;
// each read like atoi (stops at the first non-digit, no digits give 0). Requires
// year >= 1900, month 1-12, day 1-31; the day is then converted at 00:00:00 local time, so a
// day past the month's end rolls over into the next month as the C library does (31 February
// becomes 2 or 3 March). On success `fields` holds the values read and `date` the result.
DateTimeParse ParseTestDate(std::string_view text, TestDateFields& fields, QDate& date);

// Hour from the first two characters, minute from the two at offset 3, second from the last
// two; requires 0-23, 0-59, 0-59 and converts them on the day of `date` (the fields as read,
// before any roll-over).
DateTimeParse ParseTestTime(std::string_view text, const TestDateFields& date, QDateTime& dateTime);

// The pickers' values as the record stores them: "%Y-%m-%d" and "%H:%M:%S".
std::string FormatTestDate(const QDate& date);
std::string FormatTestTime(const QTime& time);

}  // namespace kx::ui
