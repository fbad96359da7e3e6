#include "waveform/qt/zhi_shu_fang_da.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

#include "render/fonts.h"
#include "res/ids.h"
#include "widgets/dialog_units.h"

namespace kx {

CZhiShuFangDa::CZhiShuFangDa(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(id::kAmplifyDialog));
    setWindowTitle("指数放大");
    setFont(ui::DialogFont());
    setFixedSize(ui::DialogRect(0, 0, 180, 72).size());

    auto* label = new QLabel("增益(0-10)：", this);
    label->setObjectName(QString::number(id::kStatic));
    label->setGeometry(ui::DialogRect(12, 12, 70, 10));
    m_gain = new QDoubleSpinBox(this);
    m_gain->setObjectName(QString::number(id::kAmplifyGainSpin));
    m_gain->setGeometry(ui::DialogRect(84, 10, 80, 14));
    m_gain->setRange(0.0, kMaxGain);
    m_gain->setDecimals(1);
    m_gain->setSingleStep(0.5);
    m_gain->setValue(kDefaultGain);
    // What the gain does, in the engineer's words: the factor grows e-fold per ms per unit.
    auto* note = new QLabel("自桩顶起，每毫秒放大 e^增益 倍", this);
    note->setObjectName(QString::number(id::kStatic));
    note->setGeometry(ui::DialogRect(12, 30, 160, 10));

    auto* ok = new QPushButton("确定", this);
    ok->setObjectName(QString::number(id::kOk));
    ok->setGeometry(ui::DialogRect(30, 50, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消", this);
    cancel->setObjectName(QString::number(id::kCancel));
    cancel->setGeometry(ui::DialogRect(100, 50, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

double CZhiShuFangDa::Gain() const {
    return m_gain->value();
}

std::optional<double> CZhiShuFangDa::AskGain(QWidget* parent) {
    CZhiShuFangDa dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Gain();
}

}  // namespace kx
