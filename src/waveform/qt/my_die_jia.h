// The stacked waveform analysis (叠加波型) view of the main window's views tab (child id 10002).
#pragma once

#include <QFrame>

#include "record/pile_record.h"
#include "waveform/pile_markers.h"

namespace kx {

class CMyDieJia : public QFrame {
    Q_OBJECT
public:
    explicit CMyDieJia(QWidget* parent = nullptr);

    // The record the view draws and its tools edit: the current record, null while no file
    // is selected. The main window keeps it alive while it is set.
    void SetRecord(PileRecord* record);
    PileRecord* Record() const { return m_markers.record; }

    // The markers, cursor and page-box texts the marker commands share with the main window.
    MarkerState& Markers() { return m_markers; }
    const MarkerState& Markers() const { return m_markers; }

    // File selection: places the three markers for `rec` (this view's width) and sets its
    // pileTopTimeUs.
    void PlaceMarkersForRecord(PileRecord& rec);
    // m_backupWave: the stacked waveform as it was when the file was selected.
    void SetBackupWave(const WaveSlot& stacked);
    const WaveSlot& BackupWave() const { return m_backupWave; }
    // Zoom back to 1 and the backup wave copied over the record's stacked waveform.
    void RestoreWave(PileRecord& rec);
    // Defect position in metres of a record for this view's width.
    float DefectDepthOf(const PileRecord& rec) const;
    int Zoom() const { return m_zoom; }

    // Carries out a waveform tool sent by the main window (view commands 10001-10010) on the
    // current record's stacked waveform.
    void RunViewCommand(int viewCommand);

private:
    MarkerState m_markers;
    WaveSlot m_backupWave{};
    int m_zoom = 1;
};

}  // namespace kx
