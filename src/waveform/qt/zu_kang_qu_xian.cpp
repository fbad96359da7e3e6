#include "waveform/qt/zu_kang_qu_xian.h"
#include "widgets/view_buffer.h"

#include <QPainter>

#include "render/impedance_view_render.h"
#include "res/ids.h"

namespace kx {

CZuKangQuXian::CZuKangQuXian(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::number(id::kImpedanceView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void CZuKangQuXian::SetRecord(const PileRecord* record) {
    m_record = record;
    viewport()->update();
}

void CZuKangQuXian::Paint(QPainter& p) {
    const bool selected = m_hooks.fileSelected ? m_hooks.fileSelected() : m_record != nullptr;
    if (!selected || m_record == nullptr || !m_hooks.analyse) {
        return;
    }
    const PileAnalysis& analysis = m_hooks.analyse(*m_record);
    ImpedanceViewScene scene;
    scene.profile = &analysis.impedance;
    scene.pileLengthM = m_record->pileLength;
    RenderImpedanceView(p, viewport()->size(), scene);
}

void CZuKangQuXian::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    ui::SmoothOnScaledScreens(p, viewport());
    Paint(p);
}

}  // namespace kx
