// The synthetic pile tests must show what an engineer reads from a real one: checked on the
// stacked waveform as the project loader leaves it (written, read back, integrated).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "synth/synth_record.h"
#include "synth_test_util.h"

namespace kx {
namespace {

using synth::Defect;
using synth::SynthOptions;
using synth::ToeCondition;

std::vector<double> LoadedStack(const SynthOptions& opt) {
    const PileRecord rec = test::LoadedSynthRecord(opt);
    const auto& s = rec.waves[kStackedSlot];
    return std::vector<double>(s.begin(), s.begin() + rec.SampleCount());
}

// Position of the extremum of sign * w over [from, to], refined between samples by a parabola.
double PeakPosition(const std::vector<double>& w, double from, double to, int sign) {
    const int lo = std::max(1, static_cast<int>(std::floor(from)));
    const int hi = std::min(static_cast<int>(w.size()) - 2, static_cast<int>(std::ceil(to)));
    int best = lo;
    for (int i = lo; i <= hi; ++i) {
        if (sign * w[i] > sign * w[best]) {
            best = i;
        }
    }
    const double a = sign * w[best - 1], b = sign * w[best], c = sign * w[best + 1];
    const double den = a - 2 * b + c;
    return den < 0 ? best + 0.5 * (a - c) / den : best;
}

double FirstPeak(const std::vector<double>& w) {
    return PeakPosition(w, 1, static_cast<double>(w.size()) / 4, +1);
}

SynthOptions Pile(double length, double speed, int intervalUs, ToeCondition toe) {
    SynthOptions o;
    o.pile.lengthM = length;
    o.pile.speedMps = speed;
    o.intervalUs = intervalUs;
    o.pile.toe = toe;
    return o;
}

struct IntactCase {
    double length, speed;
    int intervalUs;
    ToeCondition toe;
    int blows;
};

const IntactCase kIntact[] = {
    {10, 3800, 20, ToeCondition::kFree, 4},  {8, 4000, 10, ToeCondition::kFree, 1},
    {30, 3600, 20, ToeCondition::kFree, 4},  {15, 4200, 20, ToeCondition::kFixed, 3},
    {20, 4000, 20, ToeCondition::kFixed, 2}, {12.5, 3300, 10, ToeCondition::kFree, 4},
};

TEST(SynthPhysics, ToeEchoArrivesAfterTwoLengthsOverSpeedWithTheToesSign) {
    for (const IntactCase& c : kIntact) {
        SCOPED_TRACE(testing::Message() << c.length << " m at " << c.speed << " m/s, "
                                        << (c.toe == ToeCondition::kFree ? "free" : "fixed"));
        SynthOptions o = Pile(c.length, c.speed, c.intervalUs, c.toe);
        o.blows = c.blows;
        const std::vector<double> w = LoadedStack(o);
        const double top = FirstPeak(w);
        ASSERT_GT(w[std::lround(top)], 0.0);
        const double expected = top + 2 * c.length / c.speed * 1e6 / c.intervalUs;
        // A free toe sends the wave back with the first peak's sign, a fixed toe inverted.
        const int sign = c.toe == ToeCondition::kFree ? +1 : -1;
        const double echo = PeakPosition(w, expected - 10, expected + 10, sign);
        EXPECT_NEAR(echo, expected, 1.0);
        EXPECT_GT(sign * w[std::lround(echo)], 0.05 * w[std::lround(top)]);
    }
}

struct DefectCase {
    double length, speed, depth, extent, ratio;
};

const DefectCase kDefects[] = {
    {10, 3800, 4.0, 2.0, 0.6}, {12, 4000, 2.5, 2.0, 0.7}, {20, 3600, 9.0, 1.5, 0.5},
    {10, 3800, 4.0, 2.0, 1.5}, {12, 4000, 2.5, 2.0, 1.3}, {20, 3600, 9.0, 1.5, 1.8},
};

TEST(SynthPhysics, NeckingEchoesWithTheFirstPeaksSignAndABulgeOpposite) {
    for (const DefectCase& c : kDefects) {
        SCOPED_TRACE(testing::Message() << "defect " << c.depth << ":" << c.extent << ":" << c.ratio
                                        << " in " << c.length << " m");
        SynthOptions o = Pile(c.length, c.speed, 20, ToeCondition::kFree);
        o.pile.defects = {Defect{c.depth, c.extent, c.ratio}};
        const std::vector<double> w = LoadedStack(o);
        const double top = FirstPeak(w);
        const double expected = top + 2 * c.depth / c.speed * 1e6 / o.intervalUs;
        const int sign = c.ratio < 1 ? +1 : -1;
        const double quarterPulse = synth::kPulseDurationUs / 4 / o.intervalUs;
        const double echo = PeakPosition(w, expected - quarterPulse, expected + quarterPulse, sign);
        EXPECT_NEAR(echo, expected, 1.0);
        EXPECT_GT(sign * w[std::lround(echo)], 0.05 * w[std::lround(top)]);
    }
}

// Magnitude of the discrete-time Fourier transform of w at f Hz.
double Magnitude(const std::vector<double>& w, double f, double intervalUs) {
    double re = 0, im = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double phase = 2 * std::numbers::pi * f * static_cast<double>(i) * intervalUs * 1e-6;
        re += w[i] * std::cos(phase);
        im -= w[i] * std::sin(phase);
    }
    return std::hypot(re, im);
}

// Records long enough for the ringing to die down: a record cut off after two or three echoes
// adds side lobes between the resonances (a windowing effect, not the pile's).
const IntactCase kRinging[] = {
    {10, 3800, 20, ToeCondition::kFree, 4},  {8, 4000, 20, ToeCondition::kFree, 4},
    {30, 3600, 20, ToeCondition::kFree, 4},  {15, 4200, 20, ToeCondition::kFixed, 4},
    {20, 4000, 20, ToeCondition::kFixed, 4}, {12.5, 3300, 20, ToeCondition::kFree, 4},
};

TEST(SynthPhysics, SpectrumResonancesAreSpacedBySpeedOverTwiceTheLength) {
    for (const IntactCase& c : kRinging) {
        SCOPED_TRACE(testing::Message() << c.length << " m at " << c.speed << " m/s");
        const std::vector<double> w = LoadedStack(Pile(c.length, c.speed, c.intervalUs, c.toe));
        const double spacing = c.speed / (2 * c.length);
        // 1 Hz steps up to six resonances; the pulse's spectrum has its first zero above that.
        std::vector<double> mag;
        for (int f = 0; f <= static_cast<int>(6.5 * spacing); ++f) {
            mag.push_back(Magnitude(w, f, c.intervalUs));
        }
        const double top = *std::max_element(mag.begin(), mag.end());
        std::vector<double> peaks;
        for (size_t f = 1; f + 1 < mag.size(); ++f) {
            if (mag[f] > mag[f - 1] && mag[f] >= mag[f + 1] && mag[f] > 0.2 * top) {
                peaks.push_back(static_cast<double>(f));
            }
        }
        ASSERT_GE(peaks.size(), 4u);
        std::vector<double> gaps;
        for (size_t i = 1; i < peaks.size(); ++i) {
            gaps.push_back(peaks[i] - peaks[i - 1]);
        }
        std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
        EXPECT_NEAR(gaps[gaps.size() / 2], spacing, 0.03 * spacing);
    }
}

}  // namespace
}  // namespace kx
