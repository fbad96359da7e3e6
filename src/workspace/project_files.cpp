#include "workspace/project_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <string_view>

#include "record/pile_record.h"

namespace kx {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPartOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Read without building strings: a site of thousands of files is sorted before its rows show.
int32_t NumericNameValue(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view stem = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (const auto dot = stem.find_last_of('.'); dot != std::string_view::npos) {
        stem = stem.substr(0, dot);
    }
    size_t i = 0;
    bool negative = false;
    if (i < stem.size() && (stem[i] == '+' || stem[i] == '-')) {
        negative = stem[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < stem.size() && stem[i] >= '0' && stem[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (stem[i] - '0'),
                                  int64_t{std::numeric_limits<int32_t>::max()} + 1);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void SortByNumericName(std::vector<std::string>& paths) {
    // Keys and positions are sorted, then each path is moved once: ties keep their order
    // because the position decides between equal keys.
    std::vector<std::pair<int32_t, uint32_t>> order(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        order[i] = {NumericNameValue(paths[i]), static_cast<uint32_t>(i)};
    }
    std::sort(order.begin(), order.end());
    std::vector<std::string> sorted;
    sorted.reserve(paths.size());
    for (const auto& [key, from] : order) {
        sorted.push_back(std::move(paths[from]));
    }
    paths.swap(sorted);
}

std::string FileTypeText(const std::string& path) {
    const std::string suffix = FileSuffix(FileNameOf(path));
    if (suffix == "kxc") {
        return "分析文件";
    }
    if (suffix == "kxd") {
        return "原始文件";
    }
    return suffix;
}

bool ListRegularFiles(const std::string& dir, std::vector<std::string>& names) {
    // readdir rather than std::filesystem: a site of thousands of files is listed before its
    // rows show, and building a path object per entry cost most of that time.
    names.clear();
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return false;
    }
    const int dirFd = ::dirfd(d);
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(d);
        if (e == nullptr) {
            break;
        }
        bool regular = e->d_type == DT_REG;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            // The file system does not say, or a link: whatever it leads to decides.
            struct stat st {};
            regular = ::fstatat(dirFd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) {  // sub-directories and the like, whatever their names
            names.emplace_back(e->d_name);
        }
    }
    const bool ok = errno == 0;
    ::closedir(d);
    return ok;
}

bool ListFilesWithSuffix(const std::string& dir, const std::string& suffix,
                         std::vector<std::string>& paths) {
    std::vector<std::string> names;
    paths.clear();
    if (!ListRegularFiles(dir, names)) {
        return false;
    }
    for (const std::string& name : names) {
        if (FileSuffix(name) == suffix) {
            paths.push_back(JoinPath(dir, name));
        }
    }
    return true;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir.back() == '/') {
        return dir + name;
    }
    return dir + "/" + name;
}

bool HasSuffix(const std::string& path, const std::string& suffix) {
    return path.size() > suffix.size() && path.ends_with(suffix) &&
           FileNameOf(path).size() > suffix.size();
}

bool SameDirectory(const std::string& a, const std::string& b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a.empty() ? "." : a, b.empty() ? "." : b, ec);
    return !ec && same;
}

}  // namespace kx
