#include "widgets/gbk_text.h"

#include "record/gbk.h"

namespace kx::ui {

QString FromGbk(std::string_view gbk) {
    return QString::fromStdString(GbkToUtf8Lossy(gbk));
}

Status ToGbk(const QString& text, std::string& gbk) {
    return TypedTextToGbk(text.toStdString(), gbk);
}

int GbkLength(const QString& text) {
    return GbkByteLength(text.toStdString());
}

}  // namespace kx::ui
