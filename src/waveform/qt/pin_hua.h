// The smoothing dialog (平滑): asks for the number of points of the moving average.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "widgets/message_prompt.h"

class QLineEdit;

namespace kx {

class CPinHua : public QDialog {
    Q_OBJECT
public:
    explicit CPinHua(QWidget* parent = nullptr);

    // The points text as typed (box 1057); moved here by 确定.
    const QString& PointsText() const { return m_pointsText; }
    QLineEdit* PointsEdit() const { return m_edit; }
    // The message box of "平滑点数必需大于0！"; tests answer it without a modal loop.
    void SetPromptHandler(ui::PromptHandler fn) { m_prompt = std::move(fn); }

    // Shows the dialog modally: the points after 确定, nothing after 取消.
    static std::optional<int> AskPoints(QWidget* parent);

    // 确定: closes with OK only for a points value above 0.
    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    QString m_pointsText;
    ui::PromptHandler m_prompt;
};

}  // namespace kx
