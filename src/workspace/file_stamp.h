// What a project file looked like when it was read, so that a file deleted or replaced on
// disk behind the program's back is noticed before it is shown or written over.
#pragma once

#include <cstdint>
#include <string>

struct stat;

namespace kx {

struct FileStamp {
    bool exists = false;  // a regular file was there
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t mtimeNs = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampFromStat(const struct stat& st);
// The file's stamp now; `exists` false when it is gone or not a regular file.
FileStamp StampOfFile(const std::string& path);

}  // namespace kx
