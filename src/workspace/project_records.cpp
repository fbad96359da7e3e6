#include "workspace/project_records.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <system_error>

#include "record/record_io.h"
#include "workspace/load_steps.h"
#include "workspace/record_slab.h"
#include "workspace/thread_priority.h"

namespace kx {

namespace {

// Reads a whole (small) file into `buf`, which keeps its capacity from file to file: the
// loader reads thousands of files and should cost little more than reading their bytes.
// `size` gets the number of bytes read, `stamp` the file as it was opened.
Status ReadSmallFile(const std::string& path, std::vector<uint8_t>& buf, size_t& size,
                     FileStamp& stamp) {
    size = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Status::Fail(std::string("cannot open: ") + std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Status::Fail("not a regular file");
    }
    stamp = StampFromStat(st);
    const size_t want = std::min<size_t>(static_cast<size_t>(st.st_size), kMaxTestFileBytes);
    if (buf.size() < want) {
        buf.resize(want);
    }
    while (size < want) {
        const ssize_t n = ::read(fd, buf.data() + size, want - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            size = 0;
            return Status::Fail(std::string("read error: ") + std::strerror(err));
        }
        if (n == 0) {
            break;
        }
        size += static_cast<size_t>(n);
    }
    ::close(fd);
    return Status::Ok();
}

// ReadTestFile into a fresh record without an owner (the loader must not touch the
// selection, which belongs to the user-interface thread), with the loader's own file read
// and the diagnostic dump held back.
Status ReadForLoader(const std::string& path, PileRecord& rec, std::vector<uint8_t>& buf,
                     FileStamp& stamp, WaveDump& dump) {
    dump.fileName = nullptr;
    const std::string suffix = FileSuffix(path);
    if (suffix != "kxc" && suffix != "kxd") {
        return rec.ReadTestFile(nullptr, path).status;  // gives the reader's own refusal
    }
    size_t size = 0;
    if (Status st = ReadSmallFile(path, buf, size, stamp); !st) {
        return st;
    }
    return rec
        .ReadFreshTestBytes(nullptr, std::span<const uint8_t>(buf.data(), size), suffix == "kxd",
                            &dump)
        .status;
}

size_t LoaderThreadCount(size_t files) {
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min({cores, files, size_t{8}}));
}

}  // namespace

ProjectRecords::~ProjectRecords() {
    StopLoading();
    if (reclaimer_.joinable()) {
        reclaimer_.join();
    }
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

FileStamp ProjectRecords::Stamp(size_t i) const {
    std::lock_guard lock(mutex_);
    if (i < entries_.size() && entries_[i]->loaded) {
        return entries_[i]->stamp;
    }
    return {};
}

void ProjectRecords::RefreshStampsOf(const std::string& path) {
    const FileStamp now = StampOfFile(path);
    std::lock_guard lock(mutex_);
    for (auto& e : entries_) {
        if (e->loaded && e->path == path) {
            e->stamp = now;
        }
    }
}

PileRecord* ProjectRecords::WaitFor(size_t i) {
    std::unique_lock lock(mutex_);
    if (i >= entries_.size()) {
        return nullptr;
    }
    // Hold the entry itself: the list may not change meanwhile (only this thread changes it),
    // but the entry must be the one asked for.
    std::shared_ptr<Entry> entry = entries_[i];
    if (!entry->loaded && loaderRunning_) {
        // The loader wakes this thread when this entry is published, not for every record.
        ++entry->waiters;
        published_.wait(lock, [&] { return entry->loaded || !loaderRunning_; });
        --entry->waiters;
    }
    return entry->loaded ? entry->record.get() : nullptr;
}

PileRecord* ProjectRecords::TryGet(size_t i) {
    std::lock_guard lock(mutex_);
    if (i >= entries_.size() || !entries_[i]->loaded) {
        return nullptr;
    }
    return entries_[i]->record.get();
}

void ProjectRecords::WaitUntilLoaded() {
    std::unique_lock lock(mutex_);
    published_.wait(lock, [&] { return !loaderRunning_; });
}

void ProjectRecords::StartLoading(const std::vector<std::string>& paths, ProgressFn progress) {
    StopLoading();
    std::lock_guard lock(mutex_);
    entries_.reserve(entries_.size() + paths.size());
    for (const std::string& p : paths) {
        auto e = std::make_shared<Entry>();
        e->path = p;
        entries_.push_back(std::move(e));
    }
    // No loader thread runs now, so none holds an entry: start over at the first one not
    // loaded (an entry taken just before a stop was left unread).
    next_ = 0;
    stop_ = false;
    loaderRunning_ = true;
    ++loadsStarted_;
    const size_t threads = LoaderThreadCount(entries_.size());
    activeWorkers_ = threads;
    dumps_.assign(threads, {});
    for (size_t k = 0; k < threads; ++k) {
        workers_.emplace_back(&ProjectRecords::LoadProjectRecords, this, k, progress, beforeRead_);
    }
}

void ProjectRecords::StopLoading() {
    stop_ = true;
    for (std::thread& t : workers_) {
        t.join();
    }
    workers_.clear();
    std::lock_guard lock(mutex_);
    loaderRunning_ = false;
    published_.notify_all();
}

size_t ProjectRecords::LoadsStarted() const {
    std::lock_guard lock(mutex_);
    return loadsStarted_;
}

bool ProjectRecords::Loading() const {
    std::lock_guard lock(mutex_);
    return loaderRunning_;
}

void ProjectRecords::AppendLoaded(const std::string& path, PileRecord rec, Status readStatus) {
    auto e = std::make_shared<Entry>();
    e->path = path;
    e->record = std::make_shared<PileRecord>(std::move(rec));
    e->readStatus = std::move(readStatus);
    e->stamp = StampOfFile(path);
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
    std::vector<std::shared_ptr<Entry>> old;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : entries_) {
            e->listed = false;
        }
        old.swap(entries_);
        next_ = 0;
        loadedCount_ = 0;
    }
    // Giving back the memory of thousands of records takes milliseconds: it happens beside
    // the listing of the next project instead of before it. No loader runs, so nothing but
    // this list refers to the entries.
    if (reclaimer_.joinable()) {
        reclaimer_.join();
    }
    if (old.empty()) {
        return;
    }
    try {
        reclaimer_ = std::thread([old = std::move(old)]() mutable { old.clear(); });
    } catch (const std::system_error&) {
        old.clear();  // no thread to be had: freed here, as before
    }
}

void ProjectRecords::SetBeforeReadHookForTesting(BeforeReadFn hook) {
    std::lock_guard lock(mutex_);
    beforeRead_ = std::move(hook);
}

void ProjectRecords::LoadProjectRecords(size_t worker, ProgressFn progress, BeforeReadFn hook) {
    GiveWayToTheWindow();
    std::vector<uint8_t> buf;
    WaveDump dump;
    LatestDump latest;
    std::shared_ptr<RecordSlab> slab;
    for (;;) {
        std::shared_ptr<Entry> entry;
        uint64_t order = 0;
        {
            std::lock_guard lock(mutex_);
            while (next_ < entries_.size() && entries_[next_]->loaded) {
                ++next_;
            }
            if (stop_ || next_ >= entries_.size()) {
                break;
            }
            entry = entries_[next_++];
            order = ++taken_;
        }
        if (hook) {
            hook(entry->path);
            if (stop_) {
                break;  // stopped while held before the read
            }
        }
        // The record is this thread's alone until it is published; it is made here, not on
        // the user-interface thread, and read in place.
        std::shared_ptr<PileRecord> rec = NewLoaderRecord(slab);
        entry->readStatus = ReadForLoader(entry->path, *rec, buf, entry->stamp, dump);
        if (dump.fileName != nullptr && order > latest.order) {
            latest.order = order;
            std::swap(latest.dump, dump);
        }
        ApplyLoadSteps(*rec);
        entry->record = std::move(rec);

        std::lock_guard lock(mutex_);
        entry->loaded = true;
        if (entry->listed) {
            ++loadedCount_;
        }
        if (entry->waiters > 0) {
            published_.notify_all();
        }
        if (progress) {
            progress(loadedCount_, entries_.size());
        }
    }

    std::unique_lock lock(mutex_);
    dumps_[worker] = std::move(latest);
    if (--activeWorkers_ > 0) {
        return;
    }
    // The last thread out: the dump of the latest file read by any of them.
    LatestDump last;
    for (LatestDump& d : dumps_) {
        if (d.order > last.order) {
            last = std::move(d);
        }
    }
    lock.unlock();
    last.dump.Write();
    lock.lock();
    loaderRunning_ = false;
    published_.notify_all();
}

}  // namespace kx
