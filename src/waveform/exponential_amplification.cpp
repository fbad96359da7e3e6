#include "waveform/exponential_amplification.h"

#include <algorithm>
#include <cmath>

#include "waveform/float32.h"

namespace kx {

void AmplifyExponential(int32_t* samples, int count, int32_t intervalUs, double gain,
                        double startUs) {
    if (samples == nullptr || count <= 0 || intervalUs <= 0 || !std::isfinite(gain) ||
        !std::isfinite(startUs)) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const double late = std::max(0.0, static_cast<double>(i) * intervalUs - startUs);
        const double factor = std::exp(gain * late / 1000.0);
        // A zero sample stays zero even where the factor overflows to infinity.
        if (samples[i] != 0 && factor != 1.0) {
            samples[i] = TruncToInt32(samples[i] * factor);
        }
    }
}

}  // namespace kx
