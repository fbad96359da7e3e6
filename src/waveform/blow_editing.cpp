#include "waveform/blow_editing.h"

#include "waveform/messages.h"
#include "waveform/stacking.h"

namespace kx {
namespace {

// The common preconditions: a file, and a blow picked in the raw view.
bool BlowSelected(const PileRecord* current, int selectedBlow, BlowEditOutcome& out) {
    if (current == nullptr) {
        out = {BlowEditAction::kShowMessage, kSelectFileFirst};
        return false;
    }
    if (selectedBlow < 0 || selectedBlow > 7) {
        out = {BlowEditAction::kShowRawViewTab, {}};
        return false;
    }
    return true;
}

}  // namespace

BlowEditOutcome DeleteBlow(PileRecord* current, int selectedBlow, SpectrumBuffer& spectrum) {
    BlowEditOutcome out;
    if (!BlowSelected(current, selectedBlow, out)) {
        return out;
    }
    current->waves[selectedBlow].fill(0);
    current->waveAbsent[selectedBlow] = true;
    RestackWave(*current);
    ComputeSpectrum(*current, spectrum);
    return out;
}

BlowEditOutcome UndoDeleteBlow(PileRecord* current, int selectedBlow, const WaveSlots& savedWaves,
                               const std::array<bool, kChannelCount>& savedAbsent) {
    BlowEditOutcome out;
    if (!BlowSelected(current, selectedBlow, out)) {
        return out;
    }
    current->waves[selectedBlow] = savedWaves[selectedBlow];
    // A slot that held no blow at selection stays absent: marking it present would average
    // a flat zero line into the stacked waveform.
    current->waveAbsent[selectedBlow] = savedAbsent[selectedBlow];
    RestackWave(*current);
    return out;
}

}  // namespace kx
