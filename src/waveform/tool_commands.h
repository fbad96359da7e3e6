// The stacked view's tool commands (10001-10010) and the main window's 重新叠加, as the
// window runs them: operation, diagnostic dumps, and whether to repaint.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "record/pile_record.h"

namespace kx {

enum ToolCommandId : int {
    kToolLowPass = 10001,    // 低通
    kToolZoomIn = 10002,     // 放大
    kToolRestore = 10003,    // 还原
    kToolCutFront = 10004,   // 前切
    kToolCutBack = 10005,    // 后切
    kToolReverse = 10006,    // 反向
    kToolIntegrate = 10007,  // 积分
    kToolZero = 10008,       // 归零
    kToolSmooth = 10009,     // 平滑 (after the points dialog)
    kToolZoomOut = 10010,    // 缩小
    kToolAmplify = 10011,    // 指数放大 (after the gain dialog)
};

// What the tool commands read and change.
struct ToolTarget {
    PileRecord* record = nullptr;  // the current record; null: nothing to act on
    int viewWidth = 0;             // W of the stacked view
    int32_t cursorX = 0;           // the stacked view's cursor
    int32_t zoom = 1;              // the stacked view's zoom, changed by 放大/缩小/还原
    const WaveSlot* backupWave = nullptr;  // the stacked waveform as selected, for 还原
    std::string cutoffText;                // box 1008 低通(Hz)
    int dumpCount = 0;                     // N of the selection snapshot, for the dump files
    double amplifyGain = 0;                // 指数放大's gain (per ms) from its dialog
};

// Runs tool command `id` on the stacked waveform. `smoothPoints` is the dialog's value for
// 平滑. 指数放大 lifts the waveform from the pile-top time on, so the blow keeps its height and
// only what comes back from the shaft grows. Returns whether the stacked view is to be repainted
// (false for 缩小 at zoom 1, for an unknown id and without a record).
bool RunToolCommand(int id, ToolTarget& t, int smoothPoints = 0);

// The smoothing dialog's check of its points text: the message when it is not above 0.
std::optional<std::string> SmoothPointsError(std::string_view pointsText);

// 重新叠加 on the main window: the message when no file is selected (null), otherwise the
// re-stack and its dump file; empty on success.
std::string RestackCommand(PileRecord* current);

}  // namespace kx
