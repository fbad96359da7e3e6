#include "ui/gbk_text.h"

#include "record/gbk.h"

namespace kx::ui {

QString FromGbk(std::string_view gbk) {
    return QString::fromStdString(GbkToUtf8Lossy(gbk));
}

Status ToGbk(const QString& text, std::string& gbk) {
    std::string converted;
    if (Utf8ToGbk(text.toStdString(), converted)) {
        gbk = std::move(converted);
        return Status::Ok();
    }
    // Name the first character GBK cannot hold, walking whole code points.
    QString culprit;
    for (int i = 0; i < text.size();) {
        const int len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        if (GbkByteLength(ch.toStdString()) < 0) {
            culprit = ch;
            break;
        }
        i += len;
    }
    return Status::Fail(QString("字符“%1”无法以GBK编码保存！").arg(culprit).toStdString());
}

int GbkLength(const QString& text) {
    return GbkByteLength(text.toStdString());
}

}  // namespace kx::ui
