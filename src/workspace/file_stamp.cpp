#include "workspace/file_stamp.h"

#include <sys/stat.h>

namespace kx {

FileStamp StampFromStat(const struct stat& st) {
    FileStamp s;
    s.exists = S_ISREG(st.st_mode);
    s.device = static_cast<uint64_t>(st.st_dev);
    s.inode = static_cast<uint64_t>(st.st_ino);
    s.size = static_cast<int64_t>(st.st_size);
    s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

FileStamp StampOfFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    return StampFromStat(st);
}

}  // namespace kx
