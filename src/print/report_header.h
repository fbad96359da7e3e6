// The report's cover: the project's fields the engineer enters once per project (工程名称,
// 委托单位, 检测依据, 检测日期, and the names of whoever tested, reviewed and approved), kept in
// the project folder as a small UTF-8 text file ("名称=值" a line) beside the print-info file.
#pragma once

#include <string>
#include <string_view>

#include "record/status.h"

namespace kx {

inline constexpr const char* kReportHeaderFileName = "报告封面.txt";

struct ReportHeader {
    std::string projectName;  // 工程名称
    std::string client;       // 委托单位
    std::string basis;        // 检测依据
    std::string dates;        // 检测日期
    std::string tester;       // 检测
    std::string reviewer;     // 审核
    std::string approver;     // 批准

    bool operator==(const ReportHeader&) const = default;
};

// The labels and fields in the cover's order.
struct ReportHeaderField {
    const char* label;
    std::string ReportHeader::*value;
};
inline constexpr ReportHeaderField kReportHeaderFields[] = {
    {"工程名称", &ReportHeader::projectName}, {"委托单位", &ReportHeader::client},
    {"检测依据", &ReportHeader::basis},       {"检测日期", &ReportHeader::dates},
    {"检测", &ReportHeader::tester},          {"审核", &ReportHeader::reviewer},
    {"批准", &ReportHeader::approver}};

// The file's text: "工程名称=…" a line, in the order above; line breaks in a value become
// spaces.
std::string ReportHeaderText(const ReportHeader& h);
// Reads the text back; unknown names and lines without "=" are skipped, a missing name keeps
// its field empty.
ReportHeader ParseReportHeader(std::string_view text);

Status WriteReportHeaderFile(const std::string& path, const ReportHeader& h);
// Refused (fields left as they were) for a file that cannot be read or is over 64 KiB.
Status ReadReportHeaderFile(const std::string& path, ReportHeader& h);

}  // namespace kx
