#include "workspace/print_list_entries.h"

#include "workspace/project_files.h"

namespace kx {

ReportEntries PrintListEntries(Workspace& ws) {
    return {ws.m_printList.size(), [&ws](size_t k) -> const PileRecord* {
                const std::vector<int32_t>& indexes = ws.m_printList.printRecordIndexes;
                if (k >= indexes.size() || indexes[k] < 0) {
                    return nullptr;
                }
                return ws.m_records.WaitFor(static_cast<size_t>(indexes[k]));
            }};
}

std::string PrintListDirectory(const Workspace& ws) {
    const std::vector<std::string>& printed = ws.m_printList.printPaths;
    if (!printed.empty()) {
        return DirectoryPartOf(printed.front());
    }
    return ws.m_filePaths.empty() ? std::string() : DirectoryPartOf(ws.m_filePaths.front());
}

}  // namespace kx
