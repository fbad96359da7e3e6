// Every operation, for waveforms of every awkward length and extreme values and parameters,
// stays inside its waveform. (Under the sanitizer build these also catch undefined
// float-to-int conversions and signed overflow.)
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/pile_analysis.h"
#include "waveform/blow_editing.h"
#include "waveform/exponential_amplification.h"
#include "waveform/low_pass_filter.h"
#include "waveform/pile_markers.h"
#include "waveform/spectrum.h"
#include "waveform/spectrum_view_geometry.h"
#include "waveform/stacked_view_geometry.h"
#include "waveform/stacking.h"
#include "waveform/wave_operations.h"

namespace kx {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kGuard = 0x5a5a5a5a;  // past the sample count: must survive

const int kCounts[] = {0, 1, 2, 3, 63, 64, 65, 255, 256, 257, 477, 478, 955, 956, 1023, 1024};

// Extreme samples up to n, the guard value after.
PileRecord ExtremeRecord(int n) {
    PileRecord r;
    r.sampleCount = static_cast<int16_t>(n);
    r.sampleIntervalUs = 20;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        r.waveAbsent[slot % kChannelCount] = slot % 3 == 1;
        for (int i = 0; i < kMaxSamples; ++i) {
            const int32_t pattern[] = {kMax, kMin, 0, -1, kMax, kMax, kMin, 1};
            r.waves[slot][i] = i < n ? pattern[(i + slot) % 8] : kGuard;
        }
    }
    return r;
}

// Slots from `firstSlot` on keep their guards (a deleted blow is cleared whole, by design).
void ExpectGuards(const PileRecord& r, int n, const char* what, int firstSlot = 0) {
    for (int slot = firstSlot; slot < kSlotCount; ++slot) {
        for (int i = n; i < kMaxSamples; ++i) {
            ASSERT_EQ(r.waves[slot][i], kGuard) << what << " slot " << slot << " i " << i;
        }
    }
}

TEST(WaveformRobustness, ToolsStayInsideTheWaveform) {
    const int32_t params[] = {kMin, -1, 0, 1, 2, 3, 1000, kMax};
    for (int n : kCounts) {
        for (int32_t p : params) {
            PileRecord r = ExtremeRecord(n);
            int32_t* s = r.waves[kStackedSlot].data();
            for (int32_t interval : {kMin, 0, 1, 20, kMax}) {
                LowPassFilter(s, p, interval, n);
            }
            IntegrateWave(s, n);
            ZeroWave(s, n);
            SmoothWave(s, n, p);
            SmoothWave(s, n, n);
            ReverseWave(s, n);
            CutFront(s, n, p);
            CutBack(s, n, p == 0 ? n : p);
            for (int zoom : {0, 1, 2, 1 << 30}) {
                const auto index = CutIndexAtCursor(p, p, zoom, n);
                ASSERT_TRUE(!index || (*index >= 0 && *index <= n));
            }
            HandDrawSamples(s, n, p, p, p, VerticalScale(s, n));
            RestackWave(r);
            SpectrumBuffer spectrum{};
            DeleteBlow(&r, p, spectrum);
            UndoDeleteBlow(&r, p, r.waves, r.waveAbsent);
            ExpectGuards(r, n, "tools", kStackedSlot);
        }
    }
}

TEST(WaveformRobustness, SpectrumStaysInItsBufferAndRange) {
    for (int n : kCounts) {
        PileRecord r = ExtremeRecord(n);
        SpectrumBuffer spectrum;
        spectrum.fill(kGuard);
        const int len = ComputeSpectrum(r, spectrum);
        ASSERT_GE(len, n);
        for (int j = 0; j < kMaxSamples; ++j) {
            if (j < len) {
                ASSERT_GE(spectrum[j], -16383) << n << " " << j;
                ASSERT_LE(spectrum[j], 16384) << n << " " << j;
            } else {
                ASSERT_EQ(spectrum[j], kGuard) << n << " " << j;
            }
        }
        for (int32_t x : {kMin, -1, 0, 100, kMax}) {
            ReadSpectrumCursor(x, x, 1, n, x, "1e39");
            SpectrumPlot(spectrum, n, x, x, 1 << 30);
        }
    }
}

TEST(WaveformRobustness, MarkersAndViewArithmeticStayDefined) {
    const int32_t values[] = {kMin, -1, 0, 1, 20, 1024, kMax};
    for (int n : {0, 1, 1024}) {
        for (int32_t v : values) {
            PileRecord r = ExtremeRecord(n);
            r.sampleIntervalUs = v;
            r.pileTopTimeUs = v;
            r.pileBottomTimeUs = v == kMin ? kMax : -v;
            r.defectTimeUs = static_cast<float>(v);
            r.pileLength = 3.4e38f;
            MarkerState s;
            s.record = &r;
            s.viewWidth = v;
            PlaceMarkersOnSelection(s);
            s.cursorX = v;
            s.timeText = "1e300";
            s.speedText = "1e39";
            s.lengthText = "-1e39";
            s.defectText = "inf";
            for (FixMode mode : {FixMode::kLengthFixed, FixMode::kSpeedFixed}) {
                s.fixMode = mode;
                MoveCursor(s, v, v);
                SetPileTop(s);
                SetDefect(s);
                s.cursorX = kMax;
                SetPileBottom(s);
                SetLengthFixed(s);
                SetSpeedFixed(s);
                DefectFromPosition(s);
                DefectDepth(r, v);
                LiveSpeed(v, kMin, v, r);
                LiveLength(v, kMin, v, r);
                StackedPlot(r.waves[kStackedSlot].data(), n, v, 1 << 30);
            }
            ExpectGuards(r, n, "markers");
        }
    }
}

TEST(WaveformRobustness, AnalysisAidsStayDefinedOnAnyTrace) {
    const float lengths[] = {
        0.0f, -5.0f, 12.0f, 3.4e38f, std::numeric_limits<float>::infinity(), std::nanf("")};
    for (int n : kCounts) {
        for (int32_t interval : {kMin, 0, 1, 20, 200, kMax}) {
            PileRecord r = ExtremeRecord(n);
            r.sampleIntervalUs = interval;
            // A blow-like trace too: rise, fall and an echo in extreme values.
            if (n == 1024 && interval == 20) {
                for (int i = 0; i < n; ++i) {
                    r.waves[kStackedSlot][i] = (i > 8 && i < 40) || (i > 400 && i < 420) ? kMax
                                               : i < 60                                  ? kMin
                                                                                         : 0;
                }
            }
            for (float length : lengths) {
                r.pileLength = length;
                r.waveSpeed = length;
                const PileAnalysis a = AnalyzePile(r);
                if (a.toe.timeUs) {
                    EXPECT_TRUE(std::isfinite(*a.toe.timeUs));
                }
                for (const PileDefect& d : a.defects) {
                    EXPECT_TRUE(std::isfinite(d.depthM) && (!d.ratio || std::isfinite(*d.ratio)));
                }
                for (double z : a.impedance.values) {
                    ASSERT_TRUE(std::isfinite(z) && z > 0);
                }
            }
            AmplifyExponential(r.waves[kStackedSlot].data(), n, interval, 10.0, -1e300);
            ExpectGuards(r, n, "analysis");
        }
    }
}

}  // namespace
}  // namespace kx
