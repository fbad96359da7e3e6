#include "widgets/message_prompt.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace kx::ui {

PromptAnswer ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                            PromptButtons buttons) {
    if (buttons == PromptButtons::YesNo) {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.button(QMessageBox::Yes)->setText("是(&Y)");
        box.button(QMessageBox::No)->setText("否(&N)");
        return box.exec() == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText("确定");
    box.exec();
    return PromptAnswer::Ok;
}

}  // namespace kx::ui
