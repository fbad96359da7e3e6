#include "waveform/qt/all_bo_xin.h"

#include "res/ids.h"

namespace kx {

CAllBoXin::CAllBoXin(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(id::kAllView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CAllBoXin::SetRowSource(RowSource source) {
    m_rowSource = std::move(source);
    update();
}

void CAllBoXin::SetRowCount(int rows) {
    m_rowCount = rows;
    update();
}

}  // namespace kx
