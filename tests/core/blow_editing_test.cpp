#include "waveform/blow_editing.h"

#include <gtest/gtest.h>

#include <limits>

#include "waveform/messages.h"
#include "waveform/spectrum.h"
#include "waveform/stacking.h"

namespace kx {
namespace {

// A record of 4 samples whose blow j holds (j + 1) * {1, 2, 3, 4} in the present slots.
PileRecord BlowRecord(const std::array<bool, 8>& present) {
    PileRecord r;
    r.sampleCount = 4;
    for (int j = 0; j < 8; ++j) {
        r.waveAbsent[j] = !present[j];
        for (int i = 0; i < 4; ++i) {
            r.waves[j][i] = present[j] ? (j + 1) * (i + 1) : 0;
        }
    }
    r.waveAbsent[kStackedSlot] = false;
    r.waves[kStackedSlot] = {};
    r.waves[kStackedSlot][0] = 999;  // tool-edited stacked waveform
    r.waves[kStackedSlot][4] = 555;  // past the sample count: never touched
    return r;
}

TEST(RestackWave, MeanOfThePresentBlows) {
    // Slots 1 and 3 absent: blows 1, 3, 5, 6, 7, 8 (times i + 1) average to 30 / 6 = 5.
    PileRecord r = BlowRecord({true, false, true, false, true, true, true, true});
    EXPECT_TRUE(RestackWave(r));
    EXPECT_EQ(r.waves[kStackedSlot][0], 5);
    EXPECT_EQ(r.waves[kStackedSlot][1], 10);
    EXPECT_EQ(r.waves[kStackedSlot][3], 20);
    EXPECT_EQ(r.waves[kStackedSlot][4], 555);

    // Blows 1 and 2 of sample 0: (1 + 2) / 2 = 1; negated, -3 / 2 truncates to -1.
    PileRecord two = BlowRecord({true, true, false, false, false, false, false, false});
    EXPECT_TRUE(RestackWave(two));
    EXPECT_EQ(two.waves[kStackedSlot][0], 1);
    two.waves[0][0] = -1;
    two.waves[1][0] = -2;
    RestackWave(two);
    EXPECT_EQ(two.waves[kStackedSlot][0], -1);
}

TEST(RestackWave, NoBlowPresentLeavesTheStackedWaveform) {
    PileRecord r = BlowRecord({});
    const PileRecord before = r;
    EXPECT_FALSE(RestackWave(r));
    EXPECT_EQ(r, before);
}

TEST(RestackWave, SumsBeyond32BitsGiveTheTrueMean) {
    PileRecord r = BlowRecord({true, true, true, true, true, true, true, true});
    for (int j = 0; j < 8; ++j) {
        r.waves[j][0] = std::numeric_limits<int32_t>::max();
        r.waves[j][1] = std::numeric_limits<int32_t>::min();
    }
    RestackWave(r);
    EXPECT_EQ(r.waves[kStackedSlot][0], std::numeric_limits<int32_t>::max());
    EXPECT_EQ(r.waves[kStackedSlot][1], std::numeric_limits<int32_t>::min());
}

TEST(BlowEditing, PreconditionsTellTheWindowWhatToDo) {
    PileRecord r = BlowRecord({true, true, true, false, false, false, false, false});
    const PileRecord before = r;
    SpectrumBuffer spectrum{};
    spectrum[0] = 7;
    const WaveSlots saved = r.waves;
    const auto absent = r.waveAbsent;

    BlowEditOutcome out = DeleteBlow(nullptr, 1, spectrum);
    EXPECT_EQ(out.action, BlowEditAction::kShowMessage);
    EXPECT_EQ(out.message, kSelectFileFirst);
    out = UndoDeleteBlow(nullptr, 1, saved, absent);
    EXPECT_EQ(out.action, BlowEditAction::kShowMessage);
    EXPECT_EQ(out.message, "请先选择文件！");

    for (int selected : {-1, 8, 9, 1000, std::numeric_limits<int>::min()}) {
        EXPECT_EQ(DeleteBlow(&r, selected, spectrum).action, BlowEditAction::kShowRawViewTab);
        EXPECT_EQ(UndoDeleteBlow(&r, selected, saved, absent).action,
                  BlowEditAction::kShowRawViewTab);
    }
    EXPECT_EQ(r, before);
    EXPECT_EQ(spectrum[0], 7);
}

TEST(BlowEditing, DeleteThenUndoRestoresBlowAndMean) {
    // Blows 1, 2, 3 present: sample 0 stacks to (1 + 2 + 3) / 3 = 2.
    PileRecord r = BlowRecord({true, true, true, false, false, false, false, false});
    RestackWave(r);
    const PileRecord selected = r;  // the snapshot taken at file selection
    SpectrumBuffer spectrum{};

    BlowEditOutcome out = DeleteBlow(&r, 2, spectrum);
    EXPECT_EQ(out.action, BlowEditAction::kBlowEdited);
    EXPECT_TRUE(r.waveAbsent[2]);
    for (int32_t v : r.waves[2]) {
        EXPECT_EQ(v, 0);
    }
    EXPECT_EQ(r.waves[kStackedSlot][0], 1);  // (1 + 2) / 2
    EXPECT_EQ(r.waves[kStackedSlot][3], 6);  // (4 + 8) / 2
    // The spectrum is recomputed from the remaining blows.
    SpectrumBuffer expected{};
    PileRecord remaining = r;
    ComputeSpectrum(remaining, expected);
    EXPECT_EQ(spectrum, expected);

    const SpectrumBuffer afterDelete = spectrum;
    out = UndoDeleteBlow(&r, 2, selected.waves, selected.waveAbsent);
    EXPECT_EQ(out.action, BlowEditAction::kBlowEdited);
    EXPECT_EQ(r, selected);
    EXPECT_EQ(spectrum, afterDelete);  // undo leaves the spectrum alone
}

TEST(BlowEditing, DeletingTheOnlyBlowLeavesTheStackedWaveform) {
    PileRecord r = BlowRecord({false, false, false, false, true, false, false, false});
    SpectrumBuffer spectrum{};
    DeleteBlow(&r, 4, spectrum);
    EXPECT_TRUE(r.waveAbsent[4]);
    EXPECT_EQ(r.waves[kStackedSlot][0], 999);
    EXPECT_EQ(spectrum[0], -16383);  // no blow left: the spectrum of silence
}

TEST(BlowEditing, UndoOnASlotThatHeldNoBlowKeepsItAbsent) {
    // Slot 5 had no blow at selection. Marking it present would average its zeros in and
    // drop sample 3 from (4 + 8) / 2 = 6 to 12 / 3 = 4.
    PileRecord r = BlowRecord({true, true, false, false, false, false, false, false});
    RestackWave(r);
    const PileRecord selected = r;
    UndoDeleteBlow(&r, 5, selected.waves, selected.waveAbsent);
    EXPECT_TRUE(r.waveAbsent[5]);
    EXPECT_EQ(r.waves[kStackedSlot][3], 6);
    // A present blow that was never deleted is restored and re-stacked all the same.
    r.waves[kStackedSlot][3] = 12345;
    UndoDeleteBlow(&r, 0, selected.waves, selected.waveAbsent);
    EXPECT_EQ(r, selected);
}

}  // namespace
}  // namespace kx
