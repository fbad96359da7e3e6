#include "ui/number_text.h"

#include <charconv>
#include <limits>
#include <string>

namespace kx::ui {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    return i;
}

}  // namespace

int32_t ReadLeadingInt(std::string_view text) {
    size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

double ReadLeadingDouble(std::string_view text) {
    const size_t start = SkipSpace(text);
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when digits follow it ("1e" reads as 1).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    std::string number(text.substr(start, i - start));
    if (!number.empty() && number[0] == '+') {
        number.erase(0, 1);  // from_chars takes no plus sign
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc{}) {
        return 0.0;  // beyond double's range: no usable number
    }
    (void)end;
    return value;
}

QString FormatFixed(double value, int decimals) {
    return QString::asprintf("%.*f", decimals, value);
}

}  // namespace kx::ui
