#include "waveform/pile_markers.h"

#include <bit>
#include <cmath>

#include "waveform/box_text.h"
#include "waveform/float32.h"
#include "waveform/messages.h"

namespace kx {
namespace {

// Marker pixels move by differences of pixels; keep the sums inside int32.
int32_t AddPixels(int32_t a, int64_t d) {
    return TruncToInt32(static_cast<double>(a + d));
}

// After a marker moved: the quantity that is not fixed follows the travel time t.
void RecomputeForMode(MarkerState& s, float t) {
    PileRecord& rec = *s.record;
    if (s.fixMode == FixMode::kLengthFixed) {
        const float v = F32(QuotientOrZero(2.0 * rec.pileLength, t));
        s.speedText = FormatFixed2(v);
        rec.waveSpeed = F32(BoxNumber(s.speedText));  // the speed as shown, two decimals
    } else {
        const double v = BoxNumber(s.speedText);
        const float length = F32(v * t * 0.5);
        s.lengthText = FormatFixed2(length);
        rec.pileLength = length;
    }
}

// The precondition of the three marker commands: a file is selected and the stacked view's
// tab is shown (otherwise they do nothing, silently).
bool MarkersUsable(const MarkerState& s, MarkerOutcome& out) {
    if (s.record == nullptr) {
        out.message = kSelectFileFirst;
        return false;
    }
    return s.stackedTabActive;
}

void ClearDefect(MarkerState& s) {
    s.defectX = 0;
    s.defectText = "0";
    s.record->defectTimeUs = 0;
}

// Box 1019 follows every change of the markers, the length or the speed that moves the
// defect's depth (a cleared defect keeps the "0" it was given).
void FollowDefectDepth(MarkerState& s) {
    if (s.record != nullptr && s.record->defectTimeUs != 0) {
        s.defectText = FormatFixed2(DefectDepth(*s.record, s.viewWidth));
    }
}

}  // namespace

float DefectDepth(const PileRecord& rec, int viewWidth) {
    // Without a defect, or without time between pile top and bottom, there is no depth.
    if (rec.defectTimeUs == 0 || rec.pileBottomTimeUs <= rec.pileTopTimeUs) {
        return 0;
    }
    const double a = TruncToInt32(static_cast<double>(rec.defectTimeUs) - rec.pileTopTimeUs);
    const double span = static_cast<double>(rec.pileBottomTimeUs) - rec.pileTopTimeUs;
    const double total = TruncToInt32(static_cast<double>(rec.sampleCount) * rec.sampleIntervalUs);
    float depth = 0;
    if (viewWidth > 0 && total != 0) {
        // Through the view's pixels, as the markers are drawn; W and T cancel but for rounding.
        const float dx = F32(viewWidth * static_cast<double>(F32(a / total)));
        const float bx = F32(static_cast<double>(F32(span / total)) * viewWidth);
        depth = F32(static_cast<double>(F32(QuotientOrZero(dx, bx))) * rec.pileLength);
    } else {
        depth = F32(static_cast<double>(F32(a / span)) * rec.pileLength);
    }
    return (depth > 0 && std::isfinite(depth)) ? depth : 0.0f;
}

MarkerPixels MarkerPixelsForTimes(const PileRecord& rec, int viewWidth) {
    const int n = rec.SampleCount();
    const float pps = F32(QuotientOrZero(viewWidth, n));
    MarkerPixels px;
    const double topIndex = QuotientOrZero(rec.pileTopTimeUs, rec.sampleIntervalUs);
    px.topX = TruncToInt32(topIndex * pps);
    const double total = F32(static_cast<double>(n) * rec.sampleIntervalUs);
    px.bottomX = TruncToInt32(
        viewWidth * static_cast<double>(F32(QuotientOrZero(rec.pileBottomTimeUs, total))));
    if (px.bottomX < px.topX) {
        px.bottomX = px.topX;
    }
    px.defectX = TruncToInt32(
        F32(viewWidth * static_cast<double>(F32(QuotientOrZero(rec.defectTimeUs, total)))));
    return px;
}

MarkerPixels PlaceMarkersForRecord(PileRecord& rec, int viewWidth) {
    const int n = rec.SampleCount();
    const int32_t* s = rec.waves[kStackedSlot].data();
    const float pps = F32(QuotientOrZero(viewWidth, n));
    // The highest sample, but never below 0: an all-negative waveform puts the top at N.
    int32_t peak = 0;
    for (int i = 0; i < n; ++i) {
        peak = s[i] > peak ? s[i] : peak;
    }
    int topIndex = n;
    for (int i = 0; i < n; ++i) {
        if (s[i] == peak) {
            topIndex = i + 1;
            break;
        }
    }
    MarkerPixels px;
    px.topX = TruncToInt32(static_cast<double>(topIndex) * pps);
    rec.pileTopTimeUs = TruncToInt32(static_cast<double>(rec.sampleIntervalUs) * topIndex);
    const double total = F32(static_cast<double>(n) * rec.sampleIntervalUs);
    px.bottomX = TruncToInt32(
        viewWidth * static_cast<double>(F32(QuotientOrZero(rec.pileBottomTimeUs, total))));
    if (px.bottomX < px.topX) {
        px.bottomX = px.topX;
    }
    px.defectX = TruncToInt32(
        F32(viewWidth * static_cast<double>(F32(QuotientOrZero(rec.defectTimeUs, total)))));
    return px;
}

void ChangeMarkerViewWidth(MarkerState& s, int viewWidth) {
    if (viewWidth == s.viewWidth) {
        return;
    }
    if (s.viewWidth > 0) {
        s.cursorX = TruncToInt32(static_cast<double>(s.cursorX) * viewWidth / s.viewWidth);
    }
    s.viewWidth = viewWidth;
    if (s.record != nullptr) {
        const MarkerPixels px = MarkerPixelsForTimes(*s.record, viewWidth);
        s.topX = px.topX;
        s.bottomX = px.bottomX;
        s.defectX = px.defectX;
    }
}

void PlaceMarkersOnSelection(MarkerState& s) {
    if (s.record == nullptr) {
        return;
    }
    const MarkerPixels px = PlaceMarkersForRecord(*s.record, s.viewWidth);
    s.topX = px.topX;
    s.bottomX = px.bottomX;
    s.defectX = px.defectX;
}

bool MarkerFieldsDiffer(const PileRecord& a, const PileRecord& b) {
    auto bits = [](float v) { return std::bit_cast<uint32_t>(v); };
    return a.pileTopTimeUs != b.pileTopTimeUs || a.pileBottomTimeUs != b.pileBottomTimeUs ||
           bits(a.defectTimeUs) != bits(b.defectTimeUs) ||
           bits(a.pileLength) != bits(b.pileLength) || bits(a.waveSpeed) != bits(b.waveSpeed);
}

CursorReadout MoveCursor(MarkerState& s, int32_t x, int32_t scrollX) {
    if (s.record == nullptr) {
        CursorReadout r;
        r.cursorX = TruncToInt32(static_cast<double>(x) + scrollX);
        s.cursorX = r.cursorX;
        return r;
    }
    CursorReadout r = ReadCursor(x, scrollX, s.viewWidth, *s.record, s.topX, s.bottomX);
    s.cursorX = r.cursorX;
    s.timeText = r.timeText;
    return r;
}

MarkerOutcome SetPileTop(MarkerState& s) {
    MarkerOutcome out;
    if (!MarkersUsable(s, out)) {
        return out;
    }
    PileRecord& rec = *s.record;
    const int n = rec.SampleCount();
    s.showTop = true;
    s.dragging = false;
    // Moving the pile top moves pile bottom and defect by the same distance.
    const int64_t d = static_cast<int64_t>(s.cursorX) - s.topX;
    s.topX = s.cursorX;
    s.bottomX = AddPixels(s.bottomX, d);
    s.defectX = AddPixels(s.defectX, d);
    rec.pileBottomTimeUs = PixelToTimeUs(F32(s.bottomX), n, s.viewWidth, rec.sampleIntervalUs);
    rec.defectTimeUs = F32(PixelToTimeUs(F32(s.defectX), n, s.viewWidth, rec.sampleIntervalUs));
    if (s.defectX <= s.topX) {
        ClearDefect(s);
    }
    // The pile-top time is the one the cursor readout last wrote into box 1022.
    rec.pileTopTimeUs = TruncToInt32(BoxNumber(s.timeText));
    RecomputeForMode(s, TravelTimeFromPixels(s.topX, s.bottomX, s.viewWidth, rec.sampleIntervalUs));
    FollowDefectDepth(s);
    out.repaint = true;
    return out;
}

MarkerOutcome SetDefect(MarkerState& s) {
    MarkerOutcome out;
    if (!MarkersUsable(s, out)) {
        return out;
    }
    PileRecord& rec = *s.record;
    s.showDefect = true;
    s.dragging = false;
    s.defectX = s.cursorX;
    if (s.defectX > s.bottomX || s.defectX < s.topX) {
        s.defectX = 0;
        out.message = kDefectOutsidePile;
    }
    rec.defectTimeUs =
        F32(PixelToTimeUs(F32(s.defectX), rec.SampleCount(), s.viewWidth, rec.sampleIntervalUs));
    s.defectText = FormatFixed2(DefectDepth(rec, s.viewWidth));
    out.repaint = true;
    return out;
}

MarkerOutcome SetPileBottom(MarkerState& s) {
    MarkerOutcome out;
    if (!MarkersUsable(s, out)) {
        return out;
    }
    if (s.cursorX <= s.topX) {
        out.message = kBottomBeforeTop;
        return out;
    }
    PileRecord& rec = *s.record;
    s.showBottom = true;
    s.dragging = false;
    s.bottomX = s.cursorX;
    rec.pileBottomTimeUs =
        CursorTimeUs(s.bottomX, rec.SampleCount(), s.viewWidth, rec.sampleIntervalUs);
    RecomputeForMode(s, TravelTimeFromPixels(s.topX, s.bottomX, s.viewWidth, rec.sampleIntervalUs));
    if (s.bottomX < s.defectX) {
        ClearDefect(s);
    }
    FollowDefectDepth(s);
    out.repaint = true;
    return out;
}

MarkerOutcome SetLengthFixed(MarkerState& s) {
    if (s.record != nullptr) {
        PileRecord& rec = *s.record;
        rec.pileLength = F32(BoxNumber(s.lengthText));
        rec.waveSpeed = F32(QuotientOrZero(2.0 * rec.pileLength, TravelTimeFromRecord(rec)));
        s.speedText = FormatFixed2(rec.waveSpeed);
        FollowDefectDepth(s);
    }
    s.fixMode = FixMode::kLengthFixed;
    s.lengthBoxEnabled = false;
    s.speedBoxEnabled = true;
    return {"", true};
}

MarkerOutcome SetSpeedFixed(MarkerState& s) {
    if (s.record != nullptr) {
        PileRecord& rec = *s.record;
        rec.waveSpeed = F32(BoxNumber(s.speedText));
        rec.pileLength = F32(static_cast<double>(rec.waveSpeed) * TravelTimeFromRecord(rec) * 0.5);
        s.lengthText = FormatFixed2(rec.pileLength);
        FollowDefectDepth(s);
    }
    s.fixMode = FixMode::kSpeedFixed;
    s.lengthBoxEnabled = true;
    s.speedBoxEnabled = false;
    return {"", true};
}

MarkerOutcome DefectFromPosition(MarkerState& s) {
    if (s.record == nullptr) {
        return {};
    }
    PileRecord& rec = *s.record;
    const float p = F32(BoxNumber(s.defectText));
    const float f = F32(QuotientOrZero(p, rec.pileLength));
    const double span = static_cast<double>(rec.pileBottomTimeUs) - rec.pileTopTimeUs;
    rec.defectTimeUs = F32(TruncToInt32(span * f + rec.pileTopTimeUs));
    const double total = static_cast<double>(rec.SampleCount()) * rec.sampleIntervalUs;
    s.defectX = TruncToInt32(
        F32(s.viewWidth * static_cast<double>(F32(QuotientOrZero(rec.defectTimeUs, total)))));
    if (s.defectX <= s.topX) {
        ClearDefect(s);
    }
    FollowDefectDepth(s);
    return {"", true};
}

}  // namespace kx
