#include "widgets/message_prompt.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace kx::ui {

PromptAnswer ShowMessageBox(QWidget* parent, const QString& text, const QString& caption,
                            PromptButtons buttons) {
    if (buttons == PromptButtons::YesNoCancel) {
        QMessageBox box(QMessageBox::Question, caption, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        box.button(QMessageBox::Yes)->setText("是(&Y)");
        box.button(QMessageBox::No)->setText("否(&N)");
        box.button(QMessageBox::Cancel)->setText("取消");
        // Esc and the close box keep everything as it is.
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
            case QMessageBox::Yes:
                return PromptAnswer::Yes;
            case QMessageBox::No:
                return PromptAnswer::No;
            default:
                return PromptAnswer::Cancel;
        }
    }
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
