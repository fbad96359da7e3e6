#include "workspace/print_list.h"

#include <algorithm>

namespace kx {

void PrintList::Clear() {
    printPaths.clear();
    printRecordIndexes.clear();
}

void PrintList::Append(const std::string& path, int32_t recordIndex) {
    printPaths.push_back(path);
    printRecordIndexes.push_back(recordIndex);
}

void PrintList::EraseAt(size_t k) {
    if (k >= printPaths.size()) {
        return;
    }
    printPaths.erase(printPaths.begin() + static_cast<std::ptrdiff_t>(k));
    printRecordIndexes.erase(printRecordIndexes.begin() + static_cast<std::ptrdiff_t>(k));
}

bool PrintList::ContainsPath(const std::string& path) const {
    return std::find(printPaths.begin(), printPaths.end(), path) != printPaths.end();
}

size_t PrintList::ErasePath(const std::string& path) {
    size_t erased = 0;
    for (size_t k = printPaths.size(); k-- > 0;) {
        if (printPaths[k] == path) {
            EraseAt(k);
            ++erased;
        }
    }
    return erased;
}

std::string PrintList::DisplayedName(size_t k) const {
    return k < printPaths.size() ? DisplayedNameOf(printPaths[k]) : std::string();
}

std::string DisplayedNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace kx
