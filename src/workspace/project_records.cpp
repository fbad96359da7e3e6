#include "workspace/project_records.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "record/record_io.h"
#include "workspace/load_steps.h"

namespace kx {

namespace {

// Reads a whole (small) file with a buffer of its own size: the loader reads thousands of
// files and should cost little more than reading their bytes.
Status ReadSmallFile(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Status::Fail(std::string("cannot open: ") + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Status::Fail("not a regular file");
    }
    const size_t want = std::min<size_t>(static_cast<size_t>(st.st_size), kMaxTestFileBytes);
    out.resize(want);
    size_t got = 0;
    while (got < want) {
        const ssize_t n = ::read(fd, out.data() + got, want - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            out.clear();
            return Status::Fail(std::string("read error: ") + std::strerror(err));
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

// ReadTestFile without an owner (the loader must not touch the selection, which belongs to
// the user-interface thread) and with the loader's own file read.
Status ReadForLoader(const std::string& path, PileRecord& rec) {
    const std::string suffix = FileSuffix(path);
    if (suffix != "kxc" && suffix != "kxd") {
        return rec.ReadTestFile(nullptr, path).status;  // gives the reader's own refusal
    }
    std::vector<uint8_t> bytes;
    if (Status st = ReadSmallFile(path, bytes); !st) {
        rec = PileRecord{};
        return st;
    }
    return rec.ReadTestBytes(nullptr, bytes, suffix == "kxd").status;
}

}  // namespace

ProjectRecords::~ProjectRecords() {
    StopLoading();
}

size_t ProjectRecords::size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

size_t ProjectRecords::LoadedCount() const {
    std::lock_guard lock(mutex_);
    return loadedCount_;
}

bool ProjectRecords::IsLoaded(size_t i) const {
    std::lock_guard lock(mutex_);
    return i < entries_.size() && entries_[i]->loaded;
}

Status ProjectRecords::ReadStatus(size_t i) const {
    std::lock_guard lock(mutex_);
    if (i < entries_.size() && entries_[i]->loaded) {
        return entries_[i]->readStatus;
    }
    return Status::Ok();
}

PileRecord* ProjectRecords::WaitFor(size_t i) {
    std::unique_lock lock(mutex_);
    if (i >= entries_.size()) {
        return nullptr;
    }
    // Hold the entry itself: the list may not change meanwhile (only this thread changes it),
    // but the entry must be the one asked for.
    std::shared_ptr<Entry> entry = entries_[i];
    published_.wait(lock, [&] { return entry->loaded || !loaderRunning_; });
    return entry->loaded ? &entry->record : nullptr;
}

PileRecord* ProjectRecords::TryGet(size_t i) {
    std::lock_guard lock(mutex_);
    if (i >= entries_.size() || !entries_[i]->loaded) {
        return nullptr;
    }
    return &entries_[i]->record;
}

void ProjectRecords::WaitUntilLoaded() {
    std::unique_lock lock(mutex_);
    published_.wait(lock, [&] { return !loaderRunning_; });
}

void ProjectRecords::StartLoading(const std::vector<std::string>& paths, ProgressFn progress) {
    StopLoading();
    std::lock_guard lock(mutex_);
    for (const std::string& p : paths) {
        auto e = std::make_shared<Entry>();
        e->path = p;
        entries_.push_back(std::move(e));
    }
    stop_ = false;
    loaderRunning_ = true;
    loader_ =
        std::thread(&ProjectRecords::LoadProjectRecords, this, std::move(progress), beforeRead_);
}

void ProjectRecords::StopLoading() {
    stop_ = true;
    if (loader_.joinable()) {
        loader_.join();
    }
    std::lock_guard lock(mutex_);
    loaderRunning_ = false;
    published_.notify_all();
}

bool ProjectRecords::Loading() const {
    std::lock_guard lock(mutex_);
    return loaderRunning_;
}

void ProjectRecords::AppendLoaded(const std::string& path, PileRecord rec, Status readStatus) {
    auto e = std::make_shared<Entry>();
    e->path = path;
    e->record = std::move(rec);
    e->readStatus = std::move(readStatus);
    e->loaded = true;
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(e));
    ++loadedCount_;
}

void ProjectRecords::Erase(size_t i) {
    std::lock_guard lock(mutex_);
    if (i >= entries_.size()) {
        return;
    }
    Entry& e = *entries_[i];
    e.listed = false;
    if (e.loaded) {
        --loadedCount_;
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    if (i < next_) {
        --next_;
    }
}

void ProjectRecords::Clear() {
    StopLoading();
    std::lock_guard lock(mutex_);
    for (auto& e : entries_) {
        e->listed = false;
    }
    entries_.clear();
    next_ = 0;
    loadedCount_ = 0;
}

void ProjectRecords::SetBeforeReadHookForTesting(BeforeReadFn hook) {
    std::lock_guard lock(mutex_);
    beforeRead_ = std::move(hook);
}

void ProjectRecords::LoadProjectRecords(ProgressFn progress, BeforeReadFn hook) {
    for (;;) {
        std::shared_ptr<Entry> entry;
        {
            std::lock_guard lock(mutex_);
            while (next_ < entries_.size() && entries_[next_]->loaded) {
                ++next_;
            }
            if (stop_ || next_ >= entries_.size()) {
                break;
            }
            entry = entries_[next_++];
        }
        if (hook) {
            hook(entry->path);
        }
        // The record is this thread's alone until it is published.
        entry->readStatus = ReadForLoader(entry->path, entry->record);
        ApplyLoadSteps(entry->record);

        size_t loaded = 0;
        size_t total = 0;
        {
            std::lock_guard lock(mutex_);
            entry->loaded = true;
            if (entry->listed) {
                ++loadedCount_;
            }
            loaded = loadedCount_;
            total = entries_.size();
            published_.notify_all();
        }
        if (progress) {
            progress(loaded, total);
        }
    }
    std::lock_guard lock(mutex_);
    loaderRunning_ = false;
    published_.notify_all();
}

}  // namespace kx
