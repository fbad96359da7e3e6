// The readers and writers give their reasons in English (kxtool prints them so); the window
// tells the user in Chinese. One translation for every reason they give; a reason it does not
// know is kept as it is.
#pragma once

#include <string>
#include <string_view>

namespace kx {

std::string ReasonInChinese(std::string_view reason);

}  // namespace kx
