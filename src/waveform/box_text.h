// Numbers in the texts of the information-page boxes: how the waveform and marker
// operations read what the user typed and write what they computed.
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

// "%.2f" of the value, with a decimal point whatever the process locale.
std::string FormatFixed2(double value);

}  // namespace kx
