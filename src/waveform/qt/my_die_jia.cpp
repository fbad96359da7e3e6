#include "waveform/qt/my_die_jia.h"

#include "res/ids.h"

namespace kx {

CMyDieJia::CMyDieJia(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(id::kStackedView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CMyDieJia::SetRecord(PileRecord* record) {
    m_markers.record = record;
    update();
}

void CMyDieJia::PlaceMarkersForRecord(PileRecord& rec) {
    m_markers.record = &rec;
    m_markers.viewWidth = width();
    PlaceMarkersOnSelection(m_markers);
    update();
}

void CMyDieJia::SetBackupWave(const WaveSlot& stacked) {
    m_backupWave = stacked;
}

void CMyDieJia::RestoreWave(PileRecord& rec) {
    m_zoom = 1;
    rec.waves[kStackedSlot] = m_backupWave;
    update();
}

float CMyDieJia::DefectDepthOf(const PileRecord& rec) const {
    return DefectDepth(rec, width());
}

void CMyDieJia::RunViewCommand(int viewCommand) {
    // The tools are not attached yet; the main window's side of the command is complete.
    (void)viewCommand;
}

}  // namespace kx
