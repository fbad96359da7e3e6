#include <gtest/gtest.h>

#include "record/gbk.h"

namespace kx {
namespace {

TEST(Gbk, RoundTripsChineseAndAscii) {
    const std::string utf8 = "检测单位 KX-7300 桩号Ⅱ";
    std::string gbk;
    ASSERT_TRUE(Utf8ToGbk(utf8, gbk));
    EXPECT_EQ(gbk.substr(0, 8), "\xBC\xEC\xB2\xE2\xB5\xA5\xCE\xBB");
    std::string back;
    ASSERT_TRUE(GbkToUtf8(gbk, back));
    EXPECT_EQ(back, utf8);
    EXPECT_EQ(GbkByteLength("测试工地ab"), 10);
}

TEST(Gbk, CharacterOutsideGbkIsReportedNotDropped) {
    std::string gbk = "stale";
    const Status st = Utf8ToGbk("桩😀号", gbk);
    EXPECT_FALSE(st);
    EXPECT_NE(st.reason.find("😀"), std::string::npos);
    EXPECT_TRUE(gbk.empty());
    EXPECT_EQ(GbkByteLength("😀"), -1);
}

TEST(Gbk, InvalidBytesFailStrictAndShowAsReplacementWhenLossy) {
    const std::string bad = std::string("A\xBC\xEC") + "\xFF" + "B";
    std::string out;
    EXPECT_FALSE(GbkToUtf8(bad, out));
    EXPECT_EQ(GbkToUtf8Lossy(bad), "A检\xEF\xBF\xBD" "B");
    EXPECT_EQ(GbkToUtf8Lossy(std::string("\xBC")), "\xEF\xBF\xBD");  // cut in the middle
}

}  // namespace
}  // namespace kx
