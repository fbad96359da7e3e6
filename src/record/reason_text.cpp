#include "record/reason_text.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "record/record_io.h"

namespace kx {

namespace {

// The system's words for the errors a file operation meets, as strerror gives them.
std::string SystemErrorInChinese(std::string_view text) {
    const std::pair<int, const char*> known[] = {
        {ENOENT, "文件或文件夹不存在"}, {EACCES, "没有权限"},
        {EPERM, "没有权限"},           {ENOSPC, "磁盘空间不足"},
        {EROFS, "文件系统只读"},       {EISDIR, "这是一个文件夹"},
        {ENOTDIR, "路径中有一项不是文件夹"}, {EIO, "读写设备出错"},
        {EDQUOT, "超出磁盘配额"},      {ENAMETOOLONG, "文件名太长"},
    };
    for (const auto& [err, chinese] : known) {
        if (text == std::strerror(err)) {
            return chinese;
        }
    }
    return std::string(text);
}

// "<prefix><number><suffix>" with the number returned; false when `text` is not so.
bool Numbered(std::string_view text, std::string_view prefix, std::string_view suffix,
              std::string& number) {
    if (!text.starts_with(prefix) || !text.ends_with(suffix) ||
        text.size() < prefix.size() + suffix.size()) {
        return false;
    }
    number = std::string(text.substr(prefix.size(), text.size() - prefix.size() - suffix.size()));
    return !number.empty();
}

}  // namespace

std::string ReasonInChinese(std::string_view reason) {
    struct Fixed {
        std::string_view english;
        const char* chinese;
    } fixed[] = {
        {kBadMagic, "不是桩基检测数据文件（文件标识不符）"},
        {"not a kxd or kxc file", "不是kxd或kxc文件"},
        {"is a directory", "这是一个文件夹"},
        {"a text field is longer than 1023 bytes", "有一项文字超过1023字节"},
        {"GBK conversion is not available", "无法进行GBK编码转换"},
    };
    for (const Fixed& f : fixed) {
        if (reason == f.english) {
            return f.chinese;
        }
    }
    std::string n;
    if (Numbered(reason, "file ends early at offset ", "", n)) {
        return "文件不完整，在第" + n + "字节处提前结束";
    }
    if (Numbered(reason, "sample count ", " out of range", n)) {
        return "采样点数" + n + "超出范围";
    }
    if (Numbered(reason, "invalid GBK text at byte ", "", n)) {
        return "第" + n + "字节处不是有效的GBK文字";
    }
    if (Numbered(reason, "string length ", " out of range", n)) {
        const size_t at = n.find(" at offset ");
        if (at != std::string::npos) {
            return "第" + n.substr(at + 11) + "字节处的文字长度" + n.substr(0, at) + "超出范围";
        }
    }
    // "<what>: <the system's words>"
    const struct {
        std::string_view english;
        const char* chinese;
    } withError[] = {
        {"cannot open: ", "无法打开："},
        {"read error: ", "读取出错："},
        {"write error: ", "写入出错："},
        {"cannot replace the file: ", "无法替换原文件："},
        {"cannot set permissions: ", "无法设置文件权限："},
    };
    for (const auto& w : withError) {
        if (reason.starts_with(w.english)) {
            return w.chinese + SystemErrorInChinese(reason.substr(w.english.size()));
        }
    }
    constexpr std::string_view kCreate = "cannot create a file in ";
    if (reason.starts_with(kCreate)) {
        const size_t colon = reason.rfind(": ");
        if (colon != std::string_view::npos && colon > kCreate.size()) {
            return "无法在" + std::string(reason.substr(kCreate.size(), colon - kCreate.size())) +
                   "中创建文件：" + SystemErrorInChinese(reason.substr(colon + 2));
        }
    }
    return std::string(reason);
}

}  // namespace kx
