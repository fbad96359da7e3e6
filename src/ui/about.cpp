#include "ui/about.h"

#include <QLabel>
#include <QPushButton>

#include "render/fonts.h"
#include "res/ids.h"
#include "ui/resource_images.h"
#include "widgets/dialog_units.h"

namespace kx::ui {

namespace {

QLabel* AddText(QWidget* parent, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id::kStatic));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(rect);
    return label;
}

}  // namespace

CAbout::CAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(id::kAboutDialog));
    setWindowTitle("关于");
    setFont(DialogFont());
    setFixedSize(DialogRect(0, 0, 231, 150).size());

    m_picture = new QLabel(this);
    m_picture->setObjectName(QString::number(id::kAboutPicture));
    m_picture->setAlignment(Qt::AlignCenter);  // the bitmap at its natural size, centred
    m_picture->setPixmap(ResourceBitmap(id::kAboutBitmap));
    m_picture->setGeometry(DialogRect(19, 15, 73, 122));

    AddText(this, QString("KX系列基桩低应变分析系统\n") + kVersionLine,
            DialogRect(110, 14, 114, 21));
    AddText(this, "基桩低应变完整性检测数据的分析、打印与报告程序。", DialogRect(110, 42, 114, 24));
    AddText(this, "本版本为独立的重新实现，图标与图片均为自行绘制。", DialogRect(110, 72, 114, 24));
    AddText(this, "版权所有 (C) 本程序开发者。", DialogRect(109, 105, 114, 12));

    auto* ok = new QPushButton("确定", this);
    ok->setObjectName(QString::number(id::kOk));
    ok->setGeometry(DialogRect(110, 122, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消", this);
    cancel->setObjectName(QString::number(id::kCancel));
    cancel->setGeometry(DialogRect(162, 122, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace kx::ui
