// Arithmetic of the spectrum view (频谱分析): the curve's points and the cursor readings
// (bin, frequency, pile length L = C / 2f). Pure functions; the view only draws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "waveform/spectrum.h"
#include "waveform/stacked_view_geometry.h"

namespace kx {

// The readings drawn at the right of the spectrum view.
struct SpectrumReadout {
    int32_t bin = 0;            // spectrum entry under the cursor
    float frequencyHz = 0;      // bin * 1e6 / (n * interval), n the transform length
    float waveSpeed = 0;        // C, from box 1018
    float pileLength = 0;       // L = C / 2f; 0 at frequency 0
    std::string speedText;      // "C = %.2f"
    std::string frequencyText;  // "H = %.2f"
    std::string lengthText;     // "L = %.2f"
};

// Readings for the cursor at x of a view W pixels wide at the given zoom, for a record of
// `count` samples at `intervalUs`, with the wave-speed box's text.
SpectrumReadout ReadSpectrumCursor(int32_t cursorX, int viewWidth, int zoom, int count,
                                   int32_t intervalUs, std::string_view speedBoxText);

// The curve as painted in a W x H view: (0, H/2), then entries 0..count-1 scaled so that the
// largest |entry| of the whole buffer reaches the top; flat at H/2 when every entry is 0.
std::vector<PlotPoint> SpectrumPlot(const SpectrumBuffer& spectrum, int count, int viewWidth,
                                    int viewHeight, int zoom);

}  // namespace kx
