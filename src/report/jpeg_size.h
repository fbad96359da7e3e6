// The pixel size of a JPEG picture, read from its frame header, so the document can give an
// embedded picture its proportions without decoding it.
#pragma once

#include <cstdint>
#include <vector>

#include "record/status.h"

namespace kx {

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Fails when the bytes are not a JPEG stream with a frame header of non-zero size.
Status ReadJpegSize(const std::vector<uint8_t>& bytes, PixelSize& size);

}  // namespace kx
