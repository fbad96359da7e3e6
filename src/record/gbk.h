// Records hold their texts as GBK bytes; windows and the command line speak UTF-8. All
// conversion between the two goes through here.
#pragma once

#include <string>
#include <string_view>

#include "record/status.h"

namespace kx {

// UTF-8 to GBK. A character GBK cannot hold (or invalid UTF-8) fails the whole conversion,
// naming the character; nothing is dropped or replaced.
Status Utf8ToGbk(std::string_view utf8, std::string& gbk);

// The same for a text the user typed, to be stored in a record: on failure `gbk` is left as
// it was and the reason names the character in Chinese, for a message box.
Status TypedTextToGbk(std::string_view utf8, std::string& gbk);

// GBK to UTF-8. A byte sequence that is not GBK fails the conversion.
Status GbkToUtf8(std::string_view gbk, std::string& utf8);

// GBK to UTF-8 for display: a byte sequence that is not GBK becomes U+FFFD.
std::string GbkToUtf8Lossy(std::string_view gbk);

// Length in GBK bytes of a UTF-8 text, or -1 when GBK cannot hold it.
int GbkByteLength(std::string_view utf8);

}  // namespace kx
