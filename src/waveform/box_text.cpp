#include "waveform/box_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kx {
namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves `i` past leading blanks and one sign; true when the sign is '-'.
bool SkipBlanksAndSign(std::string_view text, size_t& i) {
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

}  // namespace

double BoxNumber(std::string_view text) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    const size_t begin = i;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (i = j; i < text.size() && IsDigit(text[i]); ++i) {
            }
        }
    }
    double value = 0;
    const auto r = std::from_chars(text.data() + begin, text.data() + i, value);
    if (r.ec == std::errc::result_out_of_range) {
        // Like atof: overflow gives HUGE_VAL, underflow 0. Tell them apart by the exponent.
        const std::string_view t = text.substr(begin, i - begin);
        const size_t e = t.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && t.substr(e + 1).starts_with('-');
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

int32_t BoxInteger(std::string_view text) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    int64_t v = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (v <= int64_t{1} << 32) {
            v = v * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        v = -v;
    }
    if (v > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

std::string FormatFixed(double value, int decimals) {
    // to_chars rounds as printf does in the C locale, whatever locale the window set.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                 std::clamp(decimals, 0, 17));
    return std::string(buf, r.ptr);
}

}  // namespace kx
