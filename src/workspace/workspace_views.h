// The workspace's view of the main window's pages and waveform views. The window implements
// it (the waveform arithmetic lives with the views); tests implement it with plain data.
// Every call comes from the user-interface thread.
#pragma once

#include <cstdint>
#include <string>

#include "record/pile_record.h"
#include "workspace/page_texts.h"

namespace kx {

class WorkspaceViews {
public:
    virtual ~WorkspaceViews() = default;

    // --- Pages ---
    virtual PageTexts ReadPageTexts() = 0;
    // Copies the record into the page controls and the remarks box. Must not throw: a date
    // or time the pickers cannot show leaves them as they are.
    virtual void ShowRecordOnPages(const PileRecord& rec) = 0;
    // Copies the editable controls back into the record. False, with the record unchanged,
    // when a text cannot be stored (the window has told the user why).
    virtual bool CollectPagesIntoRecord(PileRecord& rec) = 0;

    // --- Stacked view and marker arithmetic ---
    // Places the three markers for the record on the stacked view and sets its pileTopTimeUs.
    virtual void PlaceMarkersForRecord(PileRecord& rec) = 0;
    // The view's m_backupWave: the stacked waveform as it was when the file was selected.
    virtual void SetBackupWave(const WaveSlot& stacked) = 0;
    // 还原: zoom back to 1 and copy m_backupWave over the record's stacked waveform.
    virtual void RestoreWave(PileRecord& rec) = 0;
    // Defect position in metres from the record's marker times and pile length.
    virtual float DefectDepth(const PileRecord& rec) = 0;

    // --- Spectrum, raw and all-waveforms views ---
    // Computes the spectrum of the record's stacked waveform, resets the spectrum view's zoom
    // and drag state and repaints it.
    virtual void ComputeSpectrum(const PileRecord& rec) = 0;
    // The raw view's selected blow (-1 = none).
    virtual void SetRawViewSelectedBlow(int blow) = 0;
    // The all-waveforms view's row count (its scroll extent follows).
    virtual void SetAllViewRowCount(int rows) = 0;

    // --- Window state; nothing here changes data ---
    virtual void SetWindowTitle(const std::string& /*utf8Title*/) {}
    virtual void SetFileCommandsEnabled(bool /*enabled*/) {}
    // Clears m_optimizeOn (the hand-edit mode of the stacked view).
    virtual void ClearOptimizeOn() {}
    // Shows the 优化 button plain (enabled, not pressed).
    virtual void ShowOptimizeButtonPlain() {}
    virtual void RepaintViews() {}
    // The data list's rows, print marks or red rows changed; the list redraws from the model.
    virtual void DataListChanged() {}
    // Shows row `row` selected and focused in the list (-1: no selection). Must not run the
    // selection flow: the workspace runs it itself.
    virtual void ShowListSelection(int /*row*/) {}
    // No record is current any more; called before the record may go, so nothing keeps
    // pointing at it.
    virtual void ShowNoRecord() {}
};

}  // namespace kx
