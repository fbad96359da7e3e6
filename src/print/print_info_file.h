// The print-info file ("pr"): the state of the print dialog's check boxes and page
// parameters at the time of saving, as twelve little-endian int32 words (48 bytes, no
// header). The title, 半波, the footer, the start page, writer, reporter and the print list
// are not in it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "record/status.h"

namespace kx {

inline constexpr size_t kPrintInfoBytes = 48;

struct PrintInfo {
    // Check states (0 clear, 1 checked) of 桩底 1025, 桩顶 1026, 桩型 1027, 缺陷位置 1028,
    // 工地 1029, 桩号 1030, 桩长 1031, 波速 1032 and 标尺 1063, words 0-8 in this order.
    std::array<int32_t, 9> checks{};
    int32_t pilesPerPage = 0;   // word 9: integer value of edit 1051
    int32_t leftMarginMm = 0;   // word 10: edit 1049
    int32_t rightMarginMm = 0;  // word 11: edit 1050

    bool operator==(const PrintInfo&) const = default;
};

// The file's 48 bytes.
std::vector<uint8_t> PrintInfoBytes(const PrintInfo& info);

// The failures below carry their message for the dialog's message box (UTF-8).

// Reads the file's words from its bytes. A file shorter than 48 bytes is refused and `info`
// left as it was (bytes after the 48th are not looked at).
Status ParsePrintInfo(const std::vector<uint8_t>& bytes, PrintInfo& info);

// Writes the file atomically: a failed save leaves any old file as it was.
Status WritePrintInfoFile(const std::string& path, const PrintInfo& info);
// Reads the file; an unreadable or short file is refused and `info` left as it was.
Status ReadPrintInfoFile(const std::string& path, PrintInfo& info);

}  // namespace kx
