#include "print/report_header.h"

#include <vector>

#include "record/file_io.h"

namespace kx {

namespace {

constexpr size_t kLargestHeaderFile = 64 * 1024;

std::string OneLine(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return out;
}

}  // namespace

std::string ReportHeaderText(const ReportHeader& h) {
    std::string text;
    for (const ReportHeaderField& f : kReportHeaderFields) {
        text += std::string(f.label) + "=" + OneLine(h.*f.value) + "\n";
    }
    return text;
}

ReportHeader ParseReportHeader(std::string_view text) {
    ReportHeader h;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        for (const ReportHeaderField& f : kReportHeaderFields) {
            if (line.substr(0, eq) == f.label) {
                h.*f.value = std::string(line.substr(eq + 1));
            }
        }
    }
    return h;
}

Status WriteReportHeaderFile(const std::string& path, const ReportHeader& h) {
    const std::string text = ReportHeaderText(h);
    return WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

Status ReadReportHeaderFile(const std::string& path, ReportHeader& h) {
    std::vector<uint8_t> bytes;
    if (Status s = ReadFileBytes(path, kLargestHeaderFile + 1, bytes); !s) {
        return s;
    }
    if (bytes.size() > kLargestHeaderFile) {
        return Status::Fail("the cover file is over 64 KiB");
    }
    h = ParseReportHeader(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return Status::Ok();
}

}  // namespace kx
