#include "ui/img_folder.h"

#include <system_error>
#include <vector>

namespace kx::ui {

void EmptyFolderFiles(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::file_status st = it->symlink_status(ec);
        if (ec) {
            ec.clear();
            continue;
        }
        if (!fs::is_directory(st)) {
            doomed.push_back(it->path());
        }
    }
    for (const fs::path& p : doomed) {
        fs::remove(p, ec);  // failures are ignored: the entry simply stays
    }
}

}  // namespace kx::ui
