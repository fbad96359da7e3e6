// The readers' and writers' reasons as the window tells them.
#include "record/reason_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "record/record_io.h"

namespace kx {
namespace {

TEST(ReasonText, EveryReasonTheReadersAndWritersGiveIsChinese) {
    const std::string noFile = std::strerror(ENOENT);
    const std::string full = std::strerror(ENOSPC);
    struct Case {
        std::string english;
        std::string chinese;
    } cases[] = {
        {kBadMagic, "不是桩基检测数据文件（文件标识不符）"},
        {"not a kxd or kxc file", "不是kxd或kxc文件"},
        {"file ends early at offset 212", "文件不完整，在第212字节处提前结束"},
        {"sample count 5000 out of range", "采样点数5000超出范围"},
        {"string length -3 at offset 40 out of range", "第40字节处的文字长度-3超出范围"},
        {"is a directory", "这是一个文件夹"},
        {"cannot open: " + noFile, "无法打开：文件或文件夹不存在"},
        {"write error: " + full, "写入出错：磁盘空间不足"},
        {"cannot create a file in /site/: " + std::string(std::strerror(EACCES)),
         "无法在/site/中创建文件：没有权限"},
        {"something new", "something new"},  // unknown: kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReasonInChinese(c.english), c.chinese) << c.english;
    }
}

}  // namespace
}  // namespace kx
