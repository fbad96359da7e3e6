#include "record/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace kx {

namespace {

std::string ErrnoText(const std::string& what, int err) {
    return what + ": " + std::strerror(err);
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

Status ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Status::Fail(ErrnoText("cannot open", errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Status::Fail("is a directory");
    }
    // Room for the size the file has now and one byte more (a file still growing gets more,
    // up to the limit): a buffer of the limit would be zero-filled for every small file.
    size_t room = limit;
    if (S_ISREG(st.st_mode) && st.st_size >= 0 &&
        static_cast<uint64_t>(st.st_size) < static_cast<uint64_t>(limit)) {
        room = static_cast<size_t>(st.st_size) + 1;
    }
    out.resize(room);
    size_t got = 0;
    while (got < limit) {
        if (got == out.size()) {
            out.resize(std::min(limit, out.size() * 2));
        }
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            out.clear();
            return Status::Fail(ErrnoText("read error", err));
        }
        if (n == 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return Status::Ok();
}

namespace {

// Writes `bytes` to a new temporary file beside `path` with the permissions `path` has (or
// the usual ones for a new file), synced to disk when `sync`. On failure nothing is left.
Status WriteTemporaryBeside(const std::string& path, const std::vector<uint8_t>& bytes, bool sync,
                            std::string& temporary) {
    const std::string dir = DirectoryOf(path);
    std::string tmpl = dir + "/.kx-write-XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        return Status::Fail(ErrnoText("cannot create a file in " + dir, errno));
    }
    auto fail = [&](const char* what, int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return Status::Fail(ErrnoText(what, err));
    };

    // Keep the permissions of a file being replaced; a new file gets the usual 0666 & ~umask.
    mode_t mode = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            ::close(fd);
            ::unlink(tmpl.c_str());
            return Status::Fail("is a directory");
        }
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        return fail("cannot set permissions", errno);
    }

    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail("write error", errno);
        }
        done += static_cast<size_t>(n);
    }
    if (sync && ::fsync(fd) != 0) {
        return fail("write error", errno);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return Status::Fail(ErrnoText("write error", err));
    }
    temporary = tmpl;
    return Status::Ok();
}

}  // namespace

Status WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary;
    if (Status st = WriteTemporaryBeside(path, bytes, true, temporary); !st) {
        return st;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        return Status::Fail(ErrnoText("cannot replace the file", err));
    }
    return Status::Ok();
}

BatchFileWriter::~BatchFileWriter() {
    Discard();
}

void BatchFileWriter::Discard() {
    for (const Staged& s : staged_) {
        ::unlink(s.temporary.c_str());
    }
    staged_.clear();
}

Status BatchFileWriter::Stage(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary;
    if (Status st = WriteTemporaryBeside(path, bytes, false, temporary); !st) {
        return st;
    }
    staged_.push_back({temporary, path});
    return Status::Ok();
}

Status BatchFileWriter::Commit(size_t& replaced) {
    replaced = 0;
    if (staged_.empty()) {
        return Status::Ok();
    }
    // One pass makes every staged file durable: the file system's dirty data at once.
    const int dirFd =
        ::open(DirectoryOf(staged_.front().temporary).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0 || ::syncfs(dirFd) != 0) {
        const int err = errno;
        if (dirFd >= 0) {
            ::close(dirFd);
        }
        Discard();
        return Status::Fail(ErrnoText("write error", err));
    }
    ::close(dirFd);
    for (const Staged& s : staged_) {
        if (::rename(s.temporary.c_str(), s.target.c_str()) != 0) {
            const int err = errno;
            staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(replaced));
            Discard();
            return Status::Fail(ErrnoText("cannot replace the file", err));
        }
        ++replaced;
    }
    // The renames themselves, once per directory.
    std::string last;
    for (const Staged& s : staged_) {
        const std::string dir = DirectoryOf(s.target);
        if (dir != last) {
            const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                ::fsync(fd);
                ::close(fd);
            }
            last = dir;
        }
    }
    staged_.clear();
    return Status::Ok();
}

void DumpWaveToFile(const char* fileName, const int32_t* samples, int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count > 0 ? count : 0) * 12);
    char buf[16];
    for (int i = 0; i < count; ++i) {
        const auto r = std::to_chars(buf, buf + sizeof buf, samples[i]);
        text.append(buf, r.ptr);
        text.push_back(',');
    }
    // Rewrite in place and cut to length rather than truncating first: a file truncated to
    // zero and rewritten is flushed to disk on close by ext4, which made loading a project
    // of thousands of files wait on the disk once per file.
    const int fd = ::open(fileName, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return;
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (::ftruncate(fd, static_cast<off_t>(done)) != 0) {
        // A dump that cannot be cut to length is still only a diagnostic file.
    }
    ::close(fd);
}

void WaveDump::Write() const {
    if (fileName != nullptr) {
        DumpWaveToFile(fileName, samples.data(), static_cast<int>(samples.size()));
    }
}

void DumpWaveOrHold(WaveDump* held, const char* fileName, const int32_t* samples, int count) {
    if (held == nullptr) {
        DumpWaveToFile(fileName, samples, count);
        return;
    }
    held->fileName = fileName;
    held->samples.assign(samples, samples + (count > 0 ? count : 0));
}

}  // namespace kx
