// The program-wide print list: which pile records go into the report, in report order.
// Entry k stands for report block k+1; consumers reach the pile through printRecordIndexes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kx {

struct PrintList {
    // Full path of each entry's file. Kept as a full path everywhere (also after the list is
    // rebuilt), so the duplicate check and removal compare like with like.
    std::vector<std::string> printPaths;
    // Index into the project's records (equal to the data-list row) of each entry.
    std::vector<int32_t> printRecordIndexes;

    size_t size() const { return printPaths.size(); }
    bool empty() const { return printPaths.empty(); }

    // Both sequences always change together.
    void Clear();
    void Append(const std::string& path, int32_t recordIndex);
    void EraseAt(size_t k);

    bool ContainsPath(const std::string& path) const;
    // Erases every entry whose path equals `path`; returns how many went.
    size_t ErasePath(const std::string& path);

    // The name the dialog shows for entry k: the text after the last '/'.
    std::string DisplayedName(size_t k) const;
};

// The text after the last '/' of a path (the whole text when there is none).
std::string DisplayedNameOf(const std::string& path);

}  // namespace kx
