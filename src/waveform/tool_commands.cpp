#include "waveform/tool_commands.h"

#include <algorithm>

#include "record/file_io.h"
#include "waveform/box_text.h"
#include "waveform/exponential_amplification.h"
#include "waveform/low_pass_filter.h"
#include "waveform/messages.h"
#include "waveform/stacked_view_geometry.h"
#include "waveform/stacking.h"
#include "waveform/wave_operations.h"

namespace kx {
namespace {

void Dump(const char* name, const PileRecord& rec, int count) {
    DumpWaveToFile(name, rec.waves[kStackedSlot].data(), std::clamp(count, 0, kMaxSamples));
}

}  // namespace

bool RunToolCommand(int id, ToolTarget& t, int smoothPoints) {
    if (t.record == nullptr) {
        return false;
    }
    PileRecord& rec = *t.record;
    int32_t* s = rec.waves[kStackedSlot].data();
    const int n = rec.SampleCount();
    switch (id) {
        case kToolLowPass:
            Dump("滤波前.txt", rec, t.dumpCount);
            LowPassFilter(s, BoxInteger(t.cutoffText), rec.sampleIntervalUs, n);
            Dump("滤波后.txt", rec, t.dumpCount);
            return true;
        case kToolZoomIn:
            t.zoom = ZoomIn(t.zoom);
            return true;
        case kToolRestore:
            t.zoom = 1;
            if (t.backupWave != nullptr) {
                rec.waves[kStackedSlot] = *t.backupWave;
            }
            return true;
        case kToolCutFront:
        case kToolCutBack:
            if (const auto index = CutIndexAtCursor(t.cursorX, t.viewWidth, t.zoom, n)) {
                (id == kToolCutFront ? CutFront : CutBack)(s, n, *index);
            }
            return true;
        case kToolReverse:
            ReverseWave(s, n);
            return true;
        case kToolIntegrate:
            IntegrateWave(s, n);
            return true;
        case kToolZero:
            ZeroWave(s, n);
            return true;
        case kToolSmooth:
            if (smoothPoints >= 1) {
                SmoothWave(s, n, smoothPoints);
            }
            return true;
        case kToolZoomOut:
            if (t.zoom < 2) {
                return false;  // not even a repaint
            }
            t.zoom = ZoomOut(t.zoom);
            return true;
        case kToolAmplify:
            AmplifyExponential(s, n, rec.sampleIntervalUs, t.amplifyGain,
                               std::max(0, rec.pileTopTimeUs));
            return true;
        default:
            return false;
    }
}

std::optional<std::string> SmoothPointsError(std::string_view pointsText) {
    if (BoxInteger(pointsText) > 0) {
        return std::nullopt;
    }
    return std::string("平滑点数必需大于0！");
}

std::string RestackCommand(PileRecord* current) {
    if (current == nullptr) {
        return kSelectFileFirst;
    }
    RestackWave(*current);
    Dump("重新叠加后.txt", *current, current->SampleCount());
    return {};
}

}  // namespace kx
