// Information page 结论信息: integrity class, concrete strength, pile diameter and the
// button that copies the last two into every record of the project; below them the class the
// trace suggests, its reason, and 采用, which copies it into the class box as a pick would.
#pragma once

#include "widgets/info_page.h"

class QLabel;
class QPushButton;

namespace kx::ui {

class CPage4 : public InfoPage {
    Q_OBJECT
public:
    CPage4(PageHost* host, QWidget* parent);

    // Fills the class box with "I" to "IV", widens it and selects "I".
    bool OnInitDialog();

    // The proposal shown beside the class: "III" and its reason; grade 0 shows nothing and
    // greys 采用.
    void ShowProposal(int grade, const QString& className, const QString& reason);
    QLabel* ProposalLabel() const { return m_proposal; }
    QLabel* ReasonLabel() const { return m_reason; }
    QPushButton* AdoptButton() const { return m_adopt; }

signals:
    void adoptProposal();

private:
    QLabel* m_proposal = nullptr;
    QLabel* m_reason = nullptr;
    QPushButton* m_adopt = nullptr;
};

}  // namespace kx::ui
