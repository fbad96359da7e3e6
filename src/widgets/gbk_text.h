// The one place where the window turns record strings (GBK bytes) into Qt text and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "record/status.h"

namespace kx::ui {

// GBK bytes to Qt text; bytes that are not GBK show as U+FFFD.
QString FromGbk(std::string_view gbk);

// Qt text to GBK bytes. Fails when GBK cannot hold one of its characters; `gbk` is then left
// as it was and the reason names the character, in Chinese, for a message box.
Status ToGbk(const QString& text, std::string& gbk);

// Length of the text in GBK bytes, or -1 when GBK cannot hold it.
int GbkLength(const QString& text);

}  // namespace kx::ui
