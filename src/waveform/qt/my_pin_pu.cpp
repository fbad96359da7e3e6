#include "waveform/qt/my_pin_pu.h"

#include "res/ids.h"

namespace kx {

CMyPinPu::CMyPinPu(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(id::kSpectrumView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CMyPinPu::ComputeSpectrum(const PileRecord& rec) {
    (void)rec;
    update();
}

void CMyPinPu::Clear() {
    update();
}

}  // namespace kx
