#include "ui/is_fugai.h"

#include <QLabel>
#include <QPushButton>

#include "render/fonts.h"
#include "res/ids.h"
#include "widgets/dialog_units.h"

namespace kx::ui {

CIsFugai::CIsFugai(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(id::kOverwriteDialog));
    setWindowTitle("Dialog");
    setFont(DialogFont());
    setFixedSize(DialogRect(0, 0, 284, 95).size());

    m_message = new QLabel("是否覆盖：", this);
    m_message->setObjectName(QString::number(id::kStatic));
    m_message->setGeometry(DialogRect(25, 21, 241, 8));

    AddButton(id::kOverwriteYes, "是", 27, OverwriteAnswer::Yes);
    AddButton(id::kOverwriteNo, "否", 87, OverwriteAnswer::No);
    AddButton(id::kOverwriteAll, "全部覆盖", 149, OverwriteAnswer::YesToAll);
    AddButton(id::kOverwriteNone, "全部不覆盖", 209, OverwriteAnswer::NoToAll);
}

void CIsFugai::SetMessage(const QString& message) {
    m_message->setText(message);
    // A long file name may need more than the template's one line of text.
    m_message->adjustSize();
    m_message->resize(std::max(m_message->width(), DialogRect(25, 21, 241, 8).width()),
                      m_message->height());
    if (m_message->geometry().right() >= width()) {
        setFixedWidth(m_message->geometry().right() + DialogRect(0, 0, 25, 0).width());
    }
}

void CIsFugai::AddButton(int id, const QString& text, int x, OverwriteAnswer answer) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::number(id));
    button->setGeometry(DialogRect(x, 55, 50, 14));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, answer] {
        m_answer = answer;
        accept();
    });
}

}  // namespace kx::ui
