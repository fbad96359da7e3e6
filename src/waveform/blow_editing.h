// 删除波型 and 撤销删除波形: removing a blow from the stack and bringing it back.
#pragma once

#include <array>
#include <string>

#include "record/pile_record.h"
#include "waveform/spectrum.h"

namespace kx {

// What the window does after a blow edit.
enum class BlowEditAction {
    kShowMessage,     // show `message` (no file selected); nothing changed
    kShowRawViewTab,  // no blow selected: bring tab 0 (原始波型) to the front, hide the others
    kBlowEdited,      // repaint the stacked, raw (and, after a deletion, spectrum) views, then
                      // the all-waveforms view
};

struct BlowEditOutcome {
    BlowEditAction action = BlowEditAction::kBlowEdited;
    std::string message;  // UTF-8, for kShowMessage
};

// Deletes blow `selectedBlow` (0-7; anything else counts as no selection) of `current`
// (null: no file selected): its samples become 0, it is marked absent, the stacked waveform
// is re-stacked and `spectrum` recomputed. The window then sets m_waveModified.
BlowEditOutcome DeleteBlow(PileRecord* current, int selectedBlow, SpectrumBuffer& spectrum);

// Brings blow `selectedBlow` back as it was at file selection (samples from `savedWaves`,
// presence from `savedAbsent`) and re-stacks. The spectrum is not recomputed.
BlowEditOutcome UndoDeleteBlow(PileRecord* current, int selectedBlow, const WaveSlots& savedWaves,
                               const std::array<bool, kChannelCount>& savedAbsent);

}  // namespace kx
