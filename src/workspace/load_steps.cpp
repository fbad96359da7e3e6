#include "workspace/load_steps.h"

#include "waveform/float32.h"
#include "waveform/wave_operations.h"

namespace kx {

void ApplyLoadSteps(PileRecord& rec) {
    const int n = rec.SampleCount();
    if (rec.invertPending) {
        for (int i = 0; i < n; ++i) {
            // -INT32_MIN does not exist; saturate instead of overflowing.
            rec.waves[kStackedSlot][i] =
                TruncToInt32(-static_cast<double>(rec.waves[kStackedSlot][i]));
        }
        rec.invertPending = false;
    }
    if (!rec.integrated) {
        for (int slot = 0; slot <= kStackedSlot; ++slot) {
            if (!rec.waveAbsent[slot]) {
                IntegrateWave(rec.waves[slot].data(), n);
            }
        }
        rec.integrated = true;
    }
}

}  // namespace kx
