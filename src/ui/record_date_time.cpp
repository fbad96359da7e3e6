#include "ui/record_date_time.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "waveform/box_text.h"

namespace kx::ui {

namespace {

// Byte-wise Left/Mid/Right of the original text handling: out-of-range parts are empty.
std::string_view Left(std::string_view s, size_t n) {
    return s.substr(0, std::min(n, s.size()));
}
std::string_view Mid(std::string_view s, size_t from, size_t n) {
    return from >= s.size() ? std::string_view{} : s.substr(from, n);
}
std::string_view Right(std::string_view s, size_t n) {
    return s.size() <= n ? s : s.substr(s.size() - n);
}

// mktime on local time with the platform deciding daylight saving; false when it fails.
bool LocalCalendarTime(int year, int month, int day, int hour, int minute, int second,
                       QDateTime& out) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    errno = 0;
    const std::time_t t = std::mktime(&tm);
    // -1 is also a valid instant (one second before the epoch); only errno tells them apart.
    if (t == static_cast<std::time_t>(-1) && errno != 0) {
        return false;
    }
    const QDate date(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const QTime time(tm.tm_hour, tm.tm_min, tm.tm_sec);
    if (!date.isValid() || !time.isValid()) {
        return false;
    }
    out = QDateTime(date, time);
    return true;
}

}  // namespace

DateTimeParse ParseTestDate(std::string_view text, TestDateFields& fields, QDate& date) {
    TestDateFields f;
    f.year = BoxInteger(Left(text, 4));
    f.month = BoxInteger(Mid(text, 5, 2));
    f.day = BoxInteger(Right(text, 2));
    if (f.year < 1900 || f.month < 1 || f.month > 12 || f.day < 1 || f.day > 31) {
        return DateTimeParse::OutOfRange;
    }
    QDateTime midnight;
    if (!LocalCalendarTime(f.year, f.month, f.day, 0, 0, 0, midnight)) {
        return DateTimeParse::ConversionFailed;
    }
    fields = f;
    date = midnight.date();
    return DateTimeParse::Ok;
}

DateTimeParse ParseTestTime(std::string_view text, const TestDateFields& date,
                            QDateTime& dateTime) {
    const int hour = BoxInteger(Left(text, 2));
    const int minute = BoxInteger(Mid(text, 3, 2));
    const int second = BoxInteger(Right(text, 2));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return DateTimeParse::OutOfRange;
    }
    QDateTime result;
    if (!LocalCalendarTime(date.year, date.month, date.day, hour, minute, second, result)) {
        return DateTimeParse::ConversionFailed;
    }
    dateTime = result;
    return DateTimeParse::Ok;
}

std::string FormatTestDate(const QDate& date) {
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day()).toStdString();
}

std::string FormatTestTime(const QTime& time) {
    return QString::asprintf("%02d:%02d:%02d", time.hour(), time.minute(), time.second())
        .toStdString();
}

}  // namespace kx::ui
