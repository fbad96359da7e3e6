#include "report/jpeg_size.h"

namespace kx {

namespace {

int32_t BigEndian16(const std::vector<uint8_t>& b, size_t at) {
    return (static_cast<int32_t>(b[at]) << 8) | b[at + 1];
}

// Start-of-frame markers (baseline, progressive, lossless...): C0-CF except C4 (Huffman
// tables), C8 (reserved) and CC (arithmetic coding conditioning).
bool IsFrameMarker(uint8_t m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

}  // namespace

Status ReadJpegSize(const std::vector<uint8_t>& bytes, PixelSize& size) {
    const Status notJpeg = Status::Fail("not a JPEG picture");
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return notJpeg;
    }
    size_t at = 2;
    // Walk the marker segments up to the frame header; each carries its own length.
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF) {
            return notJpeg;
        }
        const uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) {  // end of image or scan data before any frame
            return notJpeg;
        }
        const int32_t length = BigEndian16(bytes, at + 2);
        if (length < 2 || at + 2 + static_cast<size_t>(length) > bytes.size()) {
            return notJpeg;
        }
        if (IsFrameMarker(marker)) {
            if (length < 7) {
                return notJpeg;
            }
            size.height = BigEndian16(bytes, at + 5);
            size.width = BigEndian16(bytes, at + 7);
            if (size.width == 0 || size.height == 0) {
                return notJpeg;
            }
            return Status::Ok();
        }
        at += 2 + static_cast<size_t>(length);
    }
    return notJpeg;
}

}  // namespace kx
