// The overwrite question of the raw-data import: "文件…已经存在是否覆盖" with the
// buttons "是", "否", "全部覆盖" and "全部不覆盖". Closing it without one of them (Esc, the
// close box) answers Closed, which replaces nothing.
#pragma once

#include <QDialog>

#include "workspace/user_prompts.h"

class QLabel;

namespace kx::ui {

class CIsFugai : public QDialog {
    Q_OBJECT
public:
    explicit CIsFugai(QWidget* parent = nullptr);

    // The question shown in place of the template's "是否覆盖：".
    void SetMessage(const QString& message);
    OverwriteAnswer Answer() const { return m_answer; }

private:
    void AddButton(int id, const QString& text, int x, OverwriteAnswer answer);

    QLabel* m_message;
    OverwriteAnswer m_answer = OverwriteAnswer::Closed;
};

}  // namespace kx::ui
