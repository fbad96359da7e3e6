#include "waveform/wave_operations.h"

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "waveform/float32.h"

namespace kx {

void IntegrateWave(int32_t* samples, int count) {
    if (samples == nullptr || count <= 0) {
        return;
    }
    std::vector<float> acc;
    try {
        acc.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        std::exit(1);  // a working buffer of the signal processing could not be had
    }
    acc[0] = F32(samples[0]);
    for (int i = 1; i < count; ++i) {
        acc[i] = F32(static_cast<double>(samples[i]) + acc[i - 1]);
    }
    const float k = F32(static_cast<double>(acc[count - 1]) / count);
    for (int j = 0; j < count; ++j) {
        acc[j] = F32(static_cast<double>(acc[j]) - static_cast<double>(j) * k);
    }
    float peak = std::fabs(acc[0]);
    for (int j = 1; j < count; ++j) {
        peak = std::fmax(peak, std::fabs(acc[j]));
    }
    float d = F32(static_cast<double>(peak) * 2.384185791015625e-07);
    if (d < 0.001f) {
        d = 0.001f;
    }
    for (int j = 0; j < count; ++j) {
        samples[j] = TruncToInt32(static_cast<double>(acc[j]) / d);
    }
}

}  // namespace kx
