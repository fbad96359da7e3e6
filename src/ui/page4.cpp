#include "ui/page4.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "res/ids.h"
#include "widgets/page_host.h"

namespace kx::ui {

CPage4::CPage4(PageHost* host, QWidget* parent)
    : InfoPage(host, id::kConclusionPageDialog, parent) {
    AddLabel("类别", 19, 20, 17, 8);
    Place(new QComboBox(this), id::kClassCombo, 42, 17, 54, 14);
    AddLabel("砼强度", 11, 39, 25, 8);
    AddEdit(id::kConcreteStrengthEdit, 42, 36, 54, 14);
    AddLabel("桩径", 19, 60, 17, 8);
    AddEdit(id::kPileDiameterEdit, 42, 57, 54, 14);
    auto* unify = Place(new QPushButton("统一信息", this), id::kUnifyInfoButton, 17, 83, 80, 14);
    connect(unify, &QPushButton::clicked, this, [this] { Host()->UnifyConclusionInfo(); });
    // The analysis aids' proposal: never written by itself, only through 采用.
    AddLabel("建议", 19, 103, 17, 8);
    m_proposal = Place(new QLabel(this), id::kProposedClassLabel, 42, 103, 22, 8);
    m_adopt = Place(new QPushButton("采用", this), id::kAdoptClassButton, 66, 100, 30, 14);
    m_adopt->setEnabled(false);
    // One line, cut short where it does not fit; the whole reason in its tooltip.
    m_reason = Place(new QLabel(this), id::kProposedReasonLabel, 5, 117, 100, 10);
    connect(m_adopt, &QPushButton::clicked, this, &CPage4::adoptProposal);
    OnInitDialog();
    FinishControls();
}

bool CPage4::OnInitDialog() {
    auto* classes = Control<QComboBox>(id::kClassCombo);
    // Added in order; the sorted box keeps them in that order.
    classes->addItems({"I", "II", "III", "IV"});
    // 77 pixels wide; the closed box keeps its own height (the 100 pixels of the original are
    // the height of its opened list).
    classes->resize(77, classes->height());
    classes->setMaxVisibleItems(4);
    classes->setCurrentIndex(0);
    return true;
}

void CPage4::ShowProposal(int grade, const QString& className, const QString& reason) {
    m_proposal->setText(grade > 0 ? className : QString());
    m_reason->setText(
        m_reason->fontMetrics().elidedText(reason, Qt::ElideRight, m_reason->width()));
    m_reason->setToolTip(reason);
    m_adopt->setEnabled(grade > 0);
}

}  // namespace kx::ui
