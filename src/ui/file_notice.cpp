#include "ui/file_notice.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QUrl>

namespace kx::ui {

CFileNotice::CFileNotice(QWidget* parent)
    : QWidget(parent),
      m_label(new QLabel(this)),
      m_openFile(new QToolButton(this)),
      m_openFolder(new QToolButton(this)),
      m_open([](const QString& path) {
          return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
      }) {
    setObjectName("fileNotice");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_openFile);
    layout->addWidget(m_openFolder);
    m_openFile->setText("打开");
    m_openFolder->setText("打开所在文件夹");
    m_openFile->setAutoRaise(true);
    m_openFolder->setAutoRaise(true);
    connect(m_openFile, &QToolButton::clicked, this, [this] { Open(m_path); });
    connect(m_openFolder, &QToolButton::clicked, this,
            [this] { Open(QFileInfo(m_path).absolutePath()); });
    hide();
}

void CFileNotice::Show(const QString& text, const QString& path) {
    m_path = path;
    m_label->setText(text);
    m_openFile->setEnabled(true);
    m_openFolder->setEnabled(true);
    show();
}

void CFileNotice::Clear() {
    m_path.clear();
    m_label->clear();
    hide();
}

QString CFileNotice::Text() const {
    return m_label->text();
}

void CFileNotice::Open(const QString& what) {
    if (what.isEmpty() || m_open(what)) {
        return;
    }
    m_label->setText(QString("没有程序能打开%1，文件在：%2")
                         .arg(QDir::toNativeSeparators(what), QDir::toNativeSeparators(m_path)));
}

}  // namespace kx::ui
