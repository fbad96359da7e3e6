#include "print/print_settings.h"

#include <algorithm>

#include "waveform/box_text.h"

namespace kx {

int PilesPerPageOf(const PrintSettings& s) {
    return std::clamp<int>(BoxInteger(s.pilesPerPage), kMinPilesPerPage, kMaxPilesPerPage);
}

double MarginMmOf(const std::string& text) {
    return std::clamp(BoxNumber(text), -kMaxMarginMm, kMaxMarginMm);
}

}  // namespace kx
