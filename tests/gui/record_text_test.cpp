// Reading dates and times out of record strings, and the window's GBK text.
#include <gtest/gtest.h>

#include <QDate>

#include "ui/record_date_time.h"
#include "widgets/gbk_text.h"

namespace kx::ui {
namespace {

TEST(ParseTestDate, ChecksTheFieldsAndRollsOverLikeMktime) {
    struct Case {
        const char* text;
        DateTimeParse result;
        QDate date;
    };
    const Case cases[] = {
        {"2023-05-17", DateTimeParse::Ok, QDate(2023, 5, 17)},
        {"1900-01-01", DateTimeParse::Ok, QDate(1900, 1, 1)},
        {"2023-02-31", DateTimeParse::Ok, QDate(2023, 3, 3)},  // past the month's end
        {"", DateTimeParse::OutOfRange, {}},
        {"1899-12-31", DateTimeParse::OutOfRange, {}},
        {"2023-13-01", DateTimeParse::OutOfRange, {}},
        {"2023-00-10", DateTimeParse::OutOfRange, {}},
        {"2023-05-32", DateTimeParse::OutOfRange, {}},
        {"2023-5-7", DateTimeParse::OutOfRange, {}},  // day read from "-7"
        {"2023", DateTimeParse::OutOfRange, {}},
    };
    for (const Case& c : cases) {
        TestDateFields fields;
        QDate date;
        EXPECT_EQ(ParseTestDate(c.text, fields, date), c.result) << c.text;
        if (c.result == DateTimeParse::Ok) {
            EXPECT_EQ(date, c.date) << c.text;
        }
    }
}

TEST(ParseTestTime, ChecksTheFieldsOnTheRecordsDay) {
    const TestDateFields day{2023, 5, 17};
    struct Case {
        const char* text;
        DateTimeParse result;
        QTime time;
    };
    const Case cases[] = {
        {"08:30:15", DateTimeParse::Ok, QTime(8, 30, 15)},
        {"23:59:59", DateTimeParse::Ok, QTime(23, 59, 59)},
        {"", DateTimeParse::Ok, QTime(0, 0, 0)},  // no digits read as 0
        {"24:00:00", DateTimeParse::OutOfRange, {}},
        {"25:00:00", DateTimeParse::OutOfRange, {}},
        {"10:60:00", DateTimeParse::OutOfRange, {}},
        {"10:00:60", DateTimeParse::OutOfRange, {}},
        {"-1:00:00", DateTimeParse::OutOfRange, {}},
    };
    for (const Case& c : cases) {
        QDateTime dt;
        EXPECT_EQ(ParseTestTime(c.text, day, dt), c.result) << c.text;
        if (c.result == DateTimeParse::Ok) {
            EXPECT_EQ(dt.date(), QDate(2023, 5, 17)) << c.text;
            EXPECT_EQ(dt.time(), c.time) << c.text;
        }
    }
}

TEST(GbkText, RoundTripsAndNamesTheCharacterGbkCannotHold) {
    std::string gbk = "unchanged";
    ASSERT_TRUE(ToGbk("测试工地A", gbk));
    EXPECT_EQ(gbk.size(), 9u);
    EXPECT_EQ(FromGbk(gbk), "测试工地A");
    EXPECT_EQ(GbkLength("测试工地A"), 9);

    gbk = "unchanged";
    const Status st = ToGbk(QString("工地") + QString::fromUtf8("\xF0\x9F\x98\x80"), gbk);
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("\xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_EQ(gbk, "unchanged");
    const QString lossy = FromGbk(
        "\xFF\xFF"
        "a");
    EXPECT_TRUE(lossy.startsWith(QChar(0xFFFD)));
    EXPECT_TRUE(lossy.endsWith("a"));
}

}  // namespace
}  // namespace kx::ui
