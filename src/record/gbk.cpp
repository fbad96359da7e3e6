#include "record/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace kx {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false and sets `stop` at the first byte that
    // cannot be converted.
    bool Run(std::string_view in, std::string& out, size_t& stop) {
        out.clear();
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[1024];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<size_t>(dst - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                stop = in.size() - srcLeft;
                return false;
            }
        }
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        return true;
    }

private:
    iconv_t cd_;
};

// The UTF-8 character starting at `pos`, for messages.
std::string Utf8CharAt(std::string_view s, size_t pos) {
    size_t end = pos + 1;
    while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return std::string(s.substr(pos, end - pos));
}

}  // namespace

Status Utf8ToGbk(std::string_view utf8, std::string& gbk) {
    Converter c("GBK", "UTF-8");
    if (!c.ok()) {
        return Status::Fail("GBK conversion is not available");
    }
    size_t stop = 0;
    if (!c.Run(utf8, gbk, stop)) {
        gbk.clear();
        return Status::Fail("the character \"" + Utf8CharAt(utf8, stop) +
                            "\" cannot be stored in GBK");
    }
    return Status::Ok();
}

Status TypedTextToGbk(std::string_view utf8, std::string& gbk) {
    Converter c("GBK", "UTF-8");
    if (!c.ok()) {
        return Status::Fail("GBK conversion is not available");
    }
    std::string converted;
    size_t stop = 0;
    if (!c.Run(utf8, converted, stop)) {
        return Status::Fail("字符“" + Utf8CharAt(utf8, stop) + "”无法以GBK编码保存！");
    }
    gbk = std::move(converted);
    return Status::Ok();
}

Status GbkToUtf8(std::string_view gbk, std::string& utf8) {
    Converter c("UTF-8", "GBK");
    if (!c.ok()) {
        return Status::Fail("GBK conversion is not available");
    }
    size_t stop = 0;
    if (!c.Run(gbk, utf8, stop)) {
        utf8.clear();
        return Status::Fail("invalid GBK text at byte " + std::to_string(stop));
    }
    return Status::Ok();
}

std::string GbkToUtf8Lossy(std::string_view gbk) {
    std::string out;
    std::string part;
    while (!gbk.empty()) {
        Converter c("UTF-8", "GBK");
        if (!c.ok()) {
            return out;
        }
        size_t stop = 0;
        const bool whole = c.Run(gbk, part, stop);
        out += part;
        if (whole) {
            break;
        }
        out += "\xEF\xBF\xBD";
        gbk.remove_prefix(stop + 1);
    }
    return out;
}

int GbkByteLength(std::string_view utf8) {
    std::string gbk;
    return Utf8ToGbk(utf8, gbk) ? static_cast<int>(gbk.size()) : -1;
}

}  // namespace kx
