#include "waveform/qt/pin_hua.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "render/fonts.h"
#include "res/app_title.h"
#include "res/ids.h"
#include "waveform/box_text.h"
#include "waveform/tool_commands.h"
#include "widgets/dialog_units.h"

namespace kx {

CPinHua::CPinHua(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(id::kSmoothDialog));
    setWindowTitle("平滑");
    setFont(ui::DialogFont());
    setFixedSize(ui::DialogRect(0, 0, 160, 62).size());
    m_prompt = ui::ShowMessageBox;

    auto* label = new QLabel("输入平滑点数：", this);
    label->setObjectName(QString::number(id::kStatic));
    label->setGeometry(ui::DialogRect(12, 14, 60, 10));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QString::number(id::kSmoothPointsEdit));
    m_edit->setGeometry(ui::DialogRect(74, 12, 70, 14));
    // Digits only, as the box of the template accepts.
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_edit));

    auto* ok = new QPushButton("确定", this);
    ok->setObjectName(QString::number(id::kOk));
    ok->setGeometry(ui::DialogRect(24, 38, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消", this);
    cancel->setObjectName(QString::number(id::kCancel));
    cancel->setGeometry(ui::DialogRect(88, 38, 50, 14));
    connect(ok, &QPushButton::clicked, this, &CPinHua::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CPinHua::accept() {
    m_pointsText = m_edit->text();
    if (const auto error = SmoothPointsError(m_pointsText.toStdString())) {
        m_prompt(this, QString::fromStdString(*error), QString::fromUtf8(kAppTitle),
                 ui::PromptButtons::Ok);
        return;  // the dialog stays open
    }
    QDialog::accept();
}

std::optional<int> CPinHua::AskPoints(QWidget* parent) {
    CPinHua dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return BoxInteger(dialog.PointsText().toStdString());
}

}  // namespace kx
