#include "waveform/qt/yuan_shi_bo_xin.h"

#include "res/ids.h"

namespace kx {

CYuanShiBoXin::CYuanShiBoXin(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(id::kRawView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CYuanShiBoXin::SetRecord(PileRecord* record) {
    m_record = record;
    update();
}

void CYuanShiBoXin::SetSelectedBlow(int blow) {
    m_selectedBlow = blow;
    update();
}

}  // namespace kx
