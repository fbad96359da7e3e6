#include "render/fonts.h"

#include <QStringList>

namespace kx::ui {

namespace {

const QStringList& SongFaces() {
    static const QStringList faces{"AR PL UMing CN",      "AR PL UMing TW",    "AR PL UMing HK",
                                   "WenQuanYi Micro Hei", "Noto Serif CJK SC", "Noto Sans CJK SC"};
    return faces;
}

const QStringList& HeiFaces() {
    static const QStringList faces{"WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Noto Sans CJK SC",
                                   "AR PL UMing CN"};
    return faces;
}

}  // namespace

void InstallFontSubstitutes() {
    for (const char* song :
         {kSongFace, "SimSun", "NSimSun", "新宋体", kDialogFace, "MS Shell Dlg 2"}) {
        if (QFont::substitutes(QString::fromUtf8(song)).isEmpty()) {
            QFont::insertSubstitutions(QString::fromUtf8(song), SongFaces());
        }
    }
    for (const char* hei : {kHeiFace, "SimHei", "Microsoft YaHei", "微软雅黑"}) {
        if (QFont::substitutes(QString::fromUtf8(hei)).isEmpty()) {
            QFont::insertSubstitutions(QString::fromUtf8(hei), HeiFaces());
        }
    }
}

QFont DialogFont() {
    QFont font(QString::fromUtf8(kSongFace));
    font.setPixelSize(12);
    return font;
}

}  // namespace kx::ui
