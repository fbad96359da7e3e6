// Pile top, defect and pile bottom markers of the stacked view, and the pile length / wave
// speed they tie together (2L = v t). The commands work on a small state that the main
// window and the stacked view share; messages come back to the caller instead of opening
// a box.
#pragma once

#include <cstdint>
#include <string>

#include "record/pile_record.h"
#include "waveform/marker_time.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {

// Defect position in metres below the pile top, for a stacked view `viewWidth` pixels wide;
// 0 for a record without defect, with the pile bottom not after the pile top, or with a
// defect above the pile top.
float DefectDepth(const PileRecord& rec, int viewWidth);

// Marker pixels of the stacked view.
struct MarkerPixels {
    int32_t topX = 0;
    int32_t bottomX = 0;
    int32_t defectX = 0;
    bool operator==(const MarkerPixels&) const = default;
};

// File selection: re-derives the pile top from the waveform (one sample after its first
// highest non-negative sample) into rec.pileTopTimeUs, and places the three markers.
MarkerPixels PlaceMarkersForRecord(PileRecord& rec, int viewWidth);

// The three markers' pixels for the record's marker times in a view `viewWidth` pixels wide,
// by the arithmetic of the file selection (the pile bottom not left of the pile top).
MarkerPixels MarkerPixelsForTimes(const PileRecord& rec, int viewWidth);

// What the markers read and write: the stacked view's markers and cursor, the main window's
// mode and remembered positions, the texts of the page boxes, and the current record.
struct MarkerState {
    PileRecord* record = nullptr;  // the current record; null while no file is selected
    int32_t viewWidth = 0;         // W, the stacked view's client width

    // Stacked view.
    int32_t topX = 0;
    int32_t bottomX = 2000;
    int32_t defectX = 0;  // 0: no defect
    bool showTop = true;
    bool showDefect = true;
    bool showBottom = true;
    int32_t cursorX = 0;
    bool dragging = false;

    // Main window.
    bool stackedTabActive = true;  // the marker commands act only on the stacked view's tab
    FixMode fixMode = FixMode::kLengthFixed;

    // Page boxes: 1017 桩长(m), 1018 波速(m/s), 1019 缺陷位置(m), 1022 时间(us); whether
    // 1017 and 1018 accept input.
    std::string lengthText;
    std::string speedText;
    std::string defectText;
    std::string timeText = "0";
    bool lengthBoxEnabled = false;
    bool speedBoxEnabled = true;
};

// What the window does after a marker operation.
struct MarkerOutcome {
    std::string message;   // text for a message box (UTF-8); empty when none
    bool repaint = false;  // invalidate the stacked view
};

// File selection: places the markers for state.record (does nothing without a record).
void PlaceMarkersOnSelection(MarkerState& s);

// The view the markers are drawn in is now `viewWidth` pixels wide (the window was resized, or
// zoomed: a zoomed view is as wide as its zoomed waveform). The markers follow the record's
// times, the cursor stays where it was on the waveform; the record does not change. The times
// are what the markers mean: a marker placed on a sample records that sample's time at any
// width.
void ChangeMarkerViewWidth(MarkerState& s, int viewWidth);

// True when two records differ in what the marker commands write: pile-top, pile-bottom and
// defect times, pile length and wave speed (compared bit for bit, so a NaN read from a file
// equals itself). The save prompt's change test holds the current record against its
// selection snapshot with it: a marker command that changed the record is noticed, one that
// left it as it was is not.
bool MarkerFieldsDiffer(const PileRecord& a, const PileRecord& b);

// The cursor moves to client x (mouse or arrow keys): sets cursorX and box 1022 in the
// state and returns every readout. Without a record only the cursor moves.
CursorReadout MoveCursor(MarkerState& s, int32_t x, int32_t scrollX);

// 桩顶 (A): the pile top moves to the cursor, pile bottom and defect move with it.
MarkerOutcome SetPileTop(MarkerState& s);

// 缺陷 (S): the defect at the cursor, which must lie between pile top and pile bottom.
MarkerOutcome SetDefect(MarkerState& s);

// 桩底 (D): the pile bottom at the cursor, which must lie right of the pile top.
MarkerOutcome SetPileBottom(MarkerState& s);

// 桩长固定: the length typed into box 1017 is kept; the speed follows the record's marker
// times. Without a record only the mode and the boxes' enabling change.
MarkerOutcome SetLengthFixed(MarkerState& s);

// 波速固定: the speed typed into box 1018 is kept; the length follows. Without a record only
// the mode and the boxes' enabling change.
MarkerOutcome SetSpeedFixed(MarkerState& s);

// Enter in box 1019: the defect marker from the position in metres typed there (no check
// against the pile bottom). Does nothing without a record.
MarkerOutcome DefectFromPosition(MarkerState& s);

}  // namespace kx
