#include "print/report_file_name.h"

#include "record/gbk.h"

namespace kx {

namespace {

std::string PlainFileName(std::string name) {
    for (char& c : name) {
        if (c == '/' || c == '\\') {
            c = '_';
        }
    }
    const size_t start = name.find_first_not_of(". ");
    return start == std::string::npos ? std::string() : name.substr(start);
}

}  // namespace

std::string DefaultReportPath(const ReportEntries& entries, const std::string& directory,
                              const std::string& fallbackName, const std::string& suffix) {
    std::string name;
    for (size_t k = 0; k < entries.count && name.empty() && entries.record; ++k) {
        if (const PileRecord* rec = entries.record(k)) {
            name = PlainFileName(GbkToUtf8Lossy(rec->site));
        }
    }
    if (name.empty()) {
        name = fallbackName;
    }
    std::string dir = directory.empty() ? std::string(".") : directory;
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir + name + suffix;
}

}  // namespace kx
