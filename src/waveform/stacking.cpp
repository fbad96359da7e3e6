#include "waveform/stacking.h"

namespace kx {

int MeanOfPresentBlows(const PileRecord& rec, int32_t* out) {
    int present = 0;
    for (int slot = 0; slot < 8; ++slot) {
        present += rec.waveAbsent[slot] ? 0 : 1;
    }
    if (present == 0 || out == nullptr) {
        return present;
    }
    const int n = rec.SampleCount();
    for (int i = 0; i < n; ++i) {
        // 64-bit sum: eight int32 blows cannot overflow it, and their mean fits in int32.
        int64_t sum = 0;
        for (int slot = 0; slot < 8; ++slot) {
            if (!rec.waveAbsent[slot]) {
                sum += rec.waves[slot][i];
            }
        }
        out[i] = static_cast<int32_t>(sum / present);
    }
    return present;
}

bool RestackWave(PileRecord& rec) {
    return MeanOfPresentBlows(rec, rec.waves[kStackedSlot].data()) > 0;
}

}  // namespace kx
