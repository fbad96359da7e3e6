// Numbers typed into boxes are read as their leading decimal number, 0 when there is none,
// the way the C library's atoi and atof read them ("12.5m" is 12.5, "m12" is 0).
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

namespace kx::ui {

// Leading whitespace, an optional sign, then digits. Saturates at the int32 range.
int32_t ReadLeadingInt(std::string_view text);

// Leading whitespace, an optional sign, digits with an optional '.' fraction and an optional
// exponent. Only plain decimal notation counts: "inf", "nan", hex floats and numbers beyond
// double's range read as 0, so a box never yields a non-finite value.
double ReadLeadingDouble(std::string_view text);

inline int32_t ReadLeadingInt(const QString& text) {
    return ReadLeadingInt(text.toStdString());
}
inline double ReadLeadingDouble(const QString& text) {
    return ReadLeadingDouble(text.toStdString());
}

// printf-style "%.Nf" with '.' as decimal point whatever the locale.
QString FormatFixed(double value, int decimals);

}  // namespace kx::ui
