// A small seeded random source whose sequence is fixed by this code alone (the standard
// library's distributions differ between implementations), so a seed always gives the same
// synthetic file.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kx::synth {

class SynthRandom {
public:
    explicit SynthRandom(uint64_t seed) : state_(seed) {}

    // SplitMix64.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // Uniform in [-1, 1).
    double Symmetric() { return 2.0 * Uniform() - 1.0; }
    // Standard normal (Box-Muller; one value per call, the pair's second is dropped so the
    // sequence does not depend on how calls interleave).
    double Normal() {
        const double u1 = 1.0 - Uniform();  // (0, 1]
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }

private:
    uint64_t state_;
};

}  // namespace kx::synth
