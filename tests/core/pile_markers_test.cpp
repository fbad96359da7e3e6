#include "waveform/pile_markers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "waveform/box_text.h"
#include "waveform/messages.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {
namespace {

// 1024 samples at 20 µs in a view 1024 pixels wide: one sample, 20 µs, per pixel.
struct MarkerFixture : ::testing::Test {
    PileRecord rec;
    MarkerState s;
    void SetUp() override {
        rec.sampleCount = 1024;
        rec.sampleIntervalUs = 20;
        rec.pileLength = 10;
        rec.waveSpeed = 4000;
        s.record = &rec;
        s.viewWidth = 1024;
    }
    void Markers(int32_t top, int32_t bottom, int32_t defect) {
        s.topX = top;
        s.bottomX = bottom;
        s.defectX = defect;
    }
};

TEST(MarkerTime, Conversions) {
    // N / W = 1000 / 800 = 1.25 samples per pixel.
    EXPECT_EQ(PixelToTimeUs(100, 1000, 800, 20), 2500);  // sample 125
    EXPECT_EQ(PixelToTimeUs(3, 1000, 800, 20), 60);      // 3.75 -> sample 3
    EXPECT_EQ(PixelToTimeUs(100, 1000, 0, 20), 0);       // no view width
    // Box 1022: interval * float32(x / float32(W / N)); 800 / 1000 = 0.8f, 3 / 0.8 = 3.75.
    EXPECT_EQ(CursorTimeUs(3, 1000, 800, 20), 75);
    EXPECT_EQ(CursorTimeUs(3, 0, 800, 20), 0);
    EXPECT_EQ(CursorTimeUs(3, 1000, 0, 20), 0);
    // 1024 samples per view width whatever N: 200 pixels of 1024 at 20 µs = 0.004 s.
    EXPECT_FLOAT_EQ(TravelTimeFromPixels(100, 300, 1024, 20), 0.004f);
    EXPECT_FLOAT_EQ(TravelTimeFromPixels(100, 300, 512, 20), 0.008f);
    EXPECT_EQ(TravelTimeFromPixels(100, 100, 1024, 20), 0.0f);
    EXPECT_EQ(TravelTimeFromPixels(100, 300, 0, 20), 0.0f);
    // Products beyond int32 saturate instead of wrapping.
    EXPECT_GT(TravelTimeFromPixels(0, std::numeric_limits<int32_t>::max(), 1, 1000000), 0.0f);
}

TEST(DefectDepth, WorkedValuesAndRecordsWithoutDefect) {
    PileRecord r;
    r.sampleCount = 1024;
    r.sampleIntervalUs = 20;
    r.pileLength = 12;
    r.pileTopTimeUs = 2000;
    r.pileBottomTimeUs = 10000;
    struct Case {
        const char* what;
        float defectTimeUs;
        int32_t top, bottom;
        int width;
        float depth;
    };
    const Case cases[] = {
        {"half way", 6000, 2000, 10000, 1024, 6.0f},
        {"a quarter", 4000, 2000, 10000, 800, 3.0f},
        {"no view width: the same depth", 4000, 2000, 10000, 0, 3.0f},
        {"no defect", 0, 2000, 10000, 1024, 0},
        // The plain formula gives 12 * -3000 / -1000 = 36 m for an intact pile whose
        // re-derived top lies after the stored bottom.
        {"no defect, top after bottom", 0, 3000, 2000, 1024, 0},
        {"top equals bottom", 5000, 3000, 3000, 1024, 0},
        {"defect above the top", 1000, 2000, 10000, 1024, 0},
        {"defect beyond the bottom", 14000, 2000, 10000, 1024, 18.0f},
    };
    for (const Case& c : cases) {
        r.defectTimeUs = c.defectTimeUs;
        r.pileTopTimeUs = c.top;
        r.pileBottomTimeUs = c.bottom;
        EXPECT_FLOAT_EQ(DefectDepth(r, c.width), c.depth) << c.what;
    }
    r.sampleCount = 0;  // no time span: the depth straight from the times
    r.defectTimeUs = 6000;
    r.pileTopTimeUs = 2000;
    r.pileBottomTimeUs = 10000;
    EXPECT_FLOAT_EQ(DefectDepth(r, 1024), 6.0f);
    r.pileLength = std::numeric_limits<float>::infinity();
    EXPECT_EQ(DefectDepth(r, 1024), 0.0f);
}

TEST_F(MarkerFixture, PlaceMarkersForRecordRederivesThePileTop) {
    rec.waves[kStackedSlot][50] = 300;
    rec.waves[kStackedSlot][99] = 5000;  // first largest at index 99
    rec.waves[kStackedSlot][700] = 5000;
    rec.pileTopTimeUs = 777;
    rec.pileBottomTimeUs = 8000;  // 8000 / 20480 of the width: pixel 400
    rec.defectTimeUs = 4000;      // pixel 200
    PlaceMarkersOnSelection(s);
    EXPECT_EQ(rec.pileTopTimeUs, 2000);  // index 100 * 20 µs
    EXPECT_EQ(MarkerPixels({s.topX, s.bottomX, s.defectX}), MarkerPixels({100, 400, 200}));

    // Half-width view: pixels halve.
    EXPECT_EQ(PlaceMarkersForRecord(rec, 512), MarkerPixels({50, 200, 100}));
    // Every sample negative: the top goes to N; the bottom is not left of the top.
    rec.waves[kStackedSlot].fill(-5);
    EXPECT_EQ(PlaceMarkersForRecord(rec, 1024), MarkerPixels({1024, 1024, 200}));
    EXPECT_EQ(rec.pileTopTimeUs, 1024 * 20);
    // A zero among negative samples is the largest (the search starts from 0).
    rec.waves[kStackedSlot][10] = 0;
    EXPECT_EQ(PlaceMarkersForRecord(rec, 1024).topX, 11);
    // No samples or no width: everything at pixel 0, nothing divided by zero.
    rec.sampleCount = 0;
    EXPECT_EQ(PlaceMarkersForRecord(rec, 1024), MarkerPixels({0, 0, 0}));
    rec.sampleCount = 1024;
    EXPECT_EQ(PlaceMarkersForRecord(rec, 0), MarkerPixels({0, 0, 0}));
}

TEST_F(MarkerFixture, SetPileTopMovesTheOtherMarkersAlong) {
    Markers(40, 400, 200);
    s.cursorX = 60;
    s.timeText = "1200";  // what the cursor readout wrote last
    s.dragging = true;
    s.showTop = false;
    const MarkerOutcome out = SetPileTop(s);
    EXPECT_TRUE(out.message.empty());
    EXPECT_TRUE(out.repaint);
    EXPECT_EQ(MarkerPixels({s.topX, s.bottomX, s.defectX}), MarkerPixels({60, 420, 220}));
    EXPECT_EQ(rec.pileBottomTimeUs, 420 * 20);
    EXPECT_EQ(rec.defectTimeUs, 220 * 20);
    EXPECT_EQ(rec.pileTopTimeUs, 1200);
    EXPECT_TRUE(s.showTop);
    EXPECT_FALSE(s.dragging);
    // Length fixed: 360 pixels = 360 samples = 0.0072 s; 2 * 10 / 0.0072 = 2777.78 m/s.
    EXPECT_EQ(s.speedText, "2777.78");
    EXPECT_FLOAT_EQ(rec.waveSpeed, 2777.78f);
}

TEST_F(MarkerFixture, SetPileTopCarriesTheDefectOrKeepsItCleared) {
    // The defect moves with the top, so a cursor right of the old defect keeps it.
    Markers(40, 400, 200);
    s.cursorX = 300;
    s.defectText = "3.00";
    SetPileTop(s);
    EXPECT_EQ(s.defectX, 460);
    EXPECT_EQ(rec.defectTimeUs, 460 * 20.0f);
    // The depth box follows the moved markers: L x (defect - top) / (bottom - top) with the
    // pile-top time the cursor readout wrote (box 1022 says 0 here).
    EXPECT_EQ(s.defectText, FormatFixed2(DefectDepth(rec, 1024)));
    EXPECT_NE(s.defectText, "3.00");
    // Without a defect (pixel 0) the shifted pixel lands at or left of the new top: the
    // defect stays cleared and box 1019 reads "0".
    Markers(40, 400, 0);
    rec.defectTimeUs = 1234;
    s.cursorX = 500;
    SetPileTop(s);
    EXPECT_EQ(s.defectX, 0);
    EXPECT_EQ(s.defectText, "0");
    EXPECT_EQ(rec.defectTimeUs, 0.0f);
}

TEST_F(MarkerFixture, LengthAndSpeedFollowTheMarkersInEachMode) {
    // Length fixed, pileLength 10, markers 200 samples apart at 20 µs: t = 0.004 s.
    Markers(100, 100, 0);
    s.cursorX = 300;
    EXPECT_TRUE(SetPileBottom(s).message.empty());
    EXPECT_EQ(s.bottomX, 300);
    EXPECT_EQ(rec.pileBottomTimeUs, 6000);
    EXPECT_EQ(s.speedText, "5000.00");
    EXPECT_EQ(rec.waveSpeed, 5000.0f);

    // Speed fixed with 3800 typed into box 1018: L = 3800 * 0.004 / 2 = 7.6 m.
    s.fixMode = FixMode::kSpeedFixed;
    s.speedText = "3800";
    s.cursorX = 300;
    SetPileBottom(s);
    EXPECT_EQ(s.lengthText, "7.60");
    EXPECT_NEAR(rec.pileLength, 7.6f, 1e-5);
    EXPECT_EQ(rec.waveSpeed, 5000.0f);  // the speed box is not read back into the record
}

TEST_F(MarkerFixture, SetPileBottomOnTheTopIsRefused) {
    Markers(100, 400, 200);
    rec.pileBottomTimeUs = 8000;
    s.speedText = "4000.00";
    s.cursorX = 100;
    s.dragging = true;
    const PileRecord before = rec;
    const MarkerOutcome out = SetPileBottom(s);
    EXPECT_EQ(out.message, kBottomBeforeTop);
    EXPECT_EQ(out.message, "桩底时刻应该大于桩顶时刻！");
    EXPECT_FALSE(out.repaint);
    EXPECT_EQ(rec, before);
    EXPECT_EQ(s.bottomX, 400);
    EXPECT_EQ(s.speedText, "4000.00");
    EXPECT_TRUE(s.dragging);
}

TEST_F(MarkerFixture, SetPileBottomLeftOfTheDefectClearsIt) {
    Markers(100, 400, 300);
    rec.defectTimeUs = 6000;
    s.cursorX = 250;
    SetPileBottom(s);
    EXPECT_EQ(s.defectX, 0);
    EXPECT_EQ(s.defectText, "0");
    EXPECT_EQ(rec.defectTimeUs, 0.0f);
}

TEST_F(MarkerFixture, SetDefectInsideAndOutsideThePile) {
    rec.pileTopTimeUs = 2000;
    rec.pileBottomTimeUs = 10000;
    Markers(100, 500, 0);
    struct Case {
        int32_t cursorX;
        int32_t defectX;
        const char* message;
        const char* depthText;
    };
    const Case cases[] = {
        {300, 300, "", "5.00"},  // 6000 µs: half way between 2000 and 10000
        {100, 100, "", "0.00"},  // on the top: accepted, depth 0
        {500, 500, "", "10.00"},
        {501, 0, kDefectOutsidePile, "0.00"},
        {99, 0, kDefectOutsidePile, "0.00"},
    };
    for (const Case& c : cases) {
        s.cursorX = c.cursorX;
        const MarkerOutcome out = SetDefect(s);
        EXPECT_EQ(out.message, c.message) << c.cursorX;
        EXPECT_EQ(s.defectX, c.defectX) << c.cursorX;
        EXPECT_EQ(rec.defectTimeUs, c.defectX * 20.0f) << c.cursorX;
        EXPECT_EQ(s.defectText, c.depthText) << c.cursorX;
    }
}

TEST_F(MarkerFixture, CommandsNeedAFileAndTheStackedTab) {
    Markers(100, 400, 200);
    s.cursorX = 300;
    s.record = nullptr;
    for (auto command : {SetPileTop, SetDefect, SetPileBottom}) {
        const MarkerOutcome out = command(s);
        EXPECT_EQ(out.message, kSelectFileFirst);
        EXPECT_FALSE(out.repaint);
    }
    s.record = &rec;
    s.stackedTabActive = false;
    const PileRecord before = rec;
    for (auto command : {SetPileTop, SetDefect, SetPileBottom}) {
        const MarkerOutcome out = command(s);
        EXPECT_TRUE(out.message.empty());
        EXPECT_FALSE(out.repaint);
    }
    EXPECT_EQ(rec, before);
    EXPECT_EQ(MarkerPixels({s.topX, s.bottomX, s.defectX}), MarkerPixels({100, 400, 200}));
}

TEST_F(MarkerFixture, ModeSwitchesReadTheTypedValue) {
    rec.pileTopTimeUs = 2000;
    rec.pileBottomTimeUs = 6000;  // t = 0.004 s
    s.fixMode = FixMode::kSpeedFixed;
    s.lengthText = "12.5m";  // leading number
    SetLengthFixed(s);
    EXPECT_EQ(rec.pileLength, 12.5f);
    EXPECT_FLOAT_EQ(rec.waveSpeed, 6250.0f);  // t is float32(0.004)
    EXPECT_EQ(s.speedText, "6250.00");
    EXPECT_EQ(s.fixMode, FixMode::kLengthFixed);
    EXPECT_FALSE(s.lengthBoxEnabled);
    EXPECT_TRUE(s.speedBoxEnabled);

    s.speedText = "3800";
    SetSpeedFixed(s);
    EXPECT_EQ(rec.waveSpeed, 3800.0f);
    EXPECT_EQ(s.lengthText, "7.60");
    EXPECT_EQ(s.fixMode, FixMode::kSpeedFixed);
    EXPECT_TRUE(s.lengthBoxEnabled);
    EXPECT_FALSE(s.speedBoxEnabled);

    // Equal marker times: no travel time, the derived speed is 0 rather than infinite.
    rec.pileBottomTimeUs = rec.pileTopTimeUs;
    SetLengthFixed(s);
    EXPECT_EQ(rec.waveSpeed, 0.0f);
    EXPECT_EQ(s.speedText, "0.00");

    // No file: only the mode and the boxes change.
    s.record = nullptr;
    s.lengthText = "1";
    s.speedText = "2";
    SetSpeedFixed(s);
    EXPECT_EQ(s.fixMode, FixMode::kSpeedFixed);
    SetLengthFixed(s);
    EXPECT_EQ(s.fixMode, FixMode::kLengthFixed);
    EXPECT_EQ(s.lengthText, "1");
    EXPECT_EQ(s.speedText, "2");
}

TEST_F(MarkerFixture, CoincidingMarkersGiveZeroSpeedNotInfinity) {
    Markers(100, 100, 0);
    s.cursorX = 100;
    s.timeText = "2000";
    SetPileTop(s);  // top and bottom stay together
    EXPECT_EQ(s.speedText, "0.00");
    EXPECT_EQ(rec.waveSpeed, 0.0f);
}

TEST_F(MarkerFixture, DefectFromTypedPosition) {
    rec.pileTopTimeUs = 2000;
    rec.pileBottomTimeUs = 10000;
    Markers(100, 500, 0);
    struct Case {
        const char* typed;
        float pileLength;
        float defectTimeUs;
        int32_t defectX;
        const char* boxAfter;
    };
    const Case cases[] = {
        // Half way: 6000 µs, pixel 1024 * 6000 / 20480 = 300; the box then shows the depth
        // of the defect as placed.
        {"5", 10, 6000, 300, "5.00"},
        // Beyond the pile length: beyond the bottom, without message.
        {"15", 10, 14000, 700, "15.00"},
        {"0", 10, 0, 0, "0"},    // on the top: no defect
        {"abc", 10, 0, 0, "0"},  // no number: 0
        {"5", 0, 0, 0, "0"},     // pile length 0: the fraction is 0, the defect at the top
        {"-3", 10, 0, 0, "0"},   // above the top
    };
    for (const Case& c : cases) {
        rec.pileLength = c.pileLength;
        s.defectText = c.typed;
        const MarkerOutcome out = DefectFromPosition(s);
        EXPECT_TRUE(out.message.empty());
        EXPECT_TRUE(out.repaint);
        EXPECT_EQ(rec.defectTimeUs, c.defectTimeUs) << c.typed;
        EXPECT_EQ(s.defectX, c.defectX) << c.typed;
        EXPECT_EQ(s.defectText, c.boxAfter) << c.typed;
    }
    s.record = nullptr;
    EXPECT_FALSE(DefectFromPosition(s).repaint);
}

TEST_F(MarkerFixture, CursorReadoutFeedsThePileTop) {
    Markers(40, 400, 0);
    const CursorReadout r = MoveCursor(s, 123, 0);
    EXPECT_EQ(s.cursorX, 123);
    EXPECT_EQ(s.timeText, "2460");
    EXPECT_EQ(r.timeText, "2460");
    SetPileTop(s);
    EXPECT_EQ(rec.pileTopTimeUs, 2460);
    s.record = nullptr;
    const CursorReadout none = MoveCursor(s, 5, 10);
    EXPECT_EQ(s.cursorX, 15);
    EXPECT_TRUE(none.timeText.empty());
    EXPECT_EQ(s.timeText, "2460");
}

// The markers mean times: a resized or zoomed view moves the lines, not the record, and a
// marker placed on a sample records that sample's time at any width; the wave speed then
// agrees with the times. Widths: the default, smaller and larger windows, zoom 2 and 4.
TEST_F(MarkerFixture, MarkersKeepTheirTimesAtAnyWidthAndZoom) {
    rec.waves[kStackedSlot][99] = 1000;  // the blow: the pile top at sample 100, 2000 µs
    rec.pileBottomTimeUs = 10000;        // sample 500
    rec.defectTimeUs = 6000;             // sample 300
    PlaceMarkersOnSelection(s);
    const PileRecord before = rec;
    const MarkerState placed = s;
    for (int width : {1300, 640, 2048, 4096, 1024}) {
        ChangeMarkerViewWidth(s, width);
        EXPECT_EQ(s.viewWidth, width);
        EXPECT_EQ((MarkerPixels{s.topX, s.bottomX, s.defectX}), MarkerPixelsForTimes(rec, width));
        EXPECT_FALSE(MarkerFieldsDiffer(rec, before)) << width;
    }
    EXPECT_EQ(s.topX, placed.topX);  // back at the first width, back on the same pixels
    EXPECT_EQ(s.bottomX, placed.bottomX);
    EXPECT_EQ(s.defectX, placed.defectX);

    for (int width : {1024, 1300, 700, 2048, 5200}) {
        rec = before;
        s = MarkerState{};
        s.record = &rec;
        s.viewWidth = 1024;
        PlaceMarkersOnSelection(s);
        ChangeMarkerViewWidth(s, width);
        // The cursor on sample 420 as the view draws it, then 桩底 and 缺陷 at sample 250.
        const float pps = PixelsPerSample(width, rec.SampleCount());
        MoveCursor(s, SampleX(420, pps, 1), 0);
        ASSERT_TRUE(SetPileBottom(s).message.empty()) << width;
        // Within a sample, or within a pixel where a pixel spans more than a sample.
        const double tolerance = 20 * std::max(1.0, 1024.0 / width) * 1.5;
        EXPECT_NEAR(rec.pileBottomTimeUs, 420 * 20, tolerance) << width;
        const float t = (rec.pileBottomTimeUs - rec.pileTopTimeUs) / 1e6f;
        EXPECT_NEAR(rec.waveSpeed, 2 * rec.pileLength / t, 2 * rec.pileLength / t * 0.01) << width;
        MoveCursor(s, SampleX(250, pps, 1), 0);
        SetDefect(s);
        EXPECT_NEAR(rec.defectTimeUs, 250 * 20, tolerance) << width;
        EXPECT_NEAR(BoxNumber(s.defectText),
                    rec.pileLength * (rec.defectTimeUs - rec.pileTopTimeUs) /
                        (rec.pileBottomTimeUs - rec.pileTopTimeUs),
                    0.01)
            << width;
    }
}

}  // namespace
}  // namespace kx
