// Numbers in the texts of the boxes of the pages and dialogs: how everything reads what the
// user typed and writes what it computed. The one reader of typed numbers in the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx {

// The text's leading decimal number (atof style: leading blanks, sign, digits, fraction,
// exponent), 0 when there is none. Independent of the process locale; "inf", "nan" and hex
// forms are not numbers here.
double BoxNumber(std::string_view text);

// The text's leading integer (atoi style: leading blanks, sign, digits), 0 when there is
// none; values past the int32 range saturate.
int32_t BoxInteger(std::string_view text);

// "%.Nf" of the value (N = `decimals`, 0-17), with a decimal point whatever the process
// locale.
std::string FormatFixed(double value, int decimals);
// "%.2f" of the value.
inline std::string FormatFixed2(double value) {
    return FormatFixed(value, 2);
}

}  // namespace kx
