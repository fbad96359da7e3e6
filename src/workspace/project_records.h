// The records of the open project (the main window's m_records) and the loader that fills
// them.
//
// Entries are created in list order, either already loaded (a file added by hand) or empty
// for the loader. The loader's threads (one per core) take the entries in list order, each
// reads its file, applies the post-read steps and publishes the entry once complete. The
// user-interface thread owns the list itself: only it appends, erases and clears. It may
// touch the record of an entry only once that entry is published, which WaitFor and TryGet
// guarantee; from then on the loader never touches it again, so a record handed out stays
// valid and unshared until its entry is erased or the list cleared.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "record/file_io.h"
#include "record/pile_record.h"
#include "workspace/file_stamp.h"

namespace kx {

class ProjectRecords {
public:
    // Called on a loader thread after each record is published, one call at a time and in
    // order of the counts: records loaded so far and entries in the list. It must not wait
    // for the user-interface thread.
    using ProgressFn = std::function<void(size_t loaded, size_t total)>;
    // Test hook, called on a loader thread before each file is read.
    using BeforeReadFn = std::function<void(const std::string& path)>;

    ProjectRecords() = default;
    ProjectRecords(const ProjectRecords&) = delete;
    ProjectRecords& operator=(const ProjectRecords&) = delete;
    ~ProjectRecords();

    size_t size() const;
    bool empty() const { return size() == 0; }
    size_t LoadedCount() const;
    bool IsLoaded(size_t i) const;
    // The read result of entry i's file (ok for an entry not yet loaded or out of range).
    Status ReadStatus(size_t i) const;
    // Entry i's file as it was when read (nothing for an entry not yet loaded).
    FileStamp Stamp(size_t i) const;
    // The program has just written `path`: entries of that file take its new stamp.
    void RefreshStampsOf(const std::string& path);

    // Entry i once it is published, waiting for the loader if need be. Null when i is out of
    // range or the entry will never be loaded (the loader was stopped before it).
    PileRecord* WaitFor(size_t i);
    // Entry i if it is published already, else null.
    PileRecord* TryGet(size_t i);
    // Waits until the loader has finished (or was stopped).
    void WaitUntilLoaded();

    // Appends entries for `paths` and starts the loader on them (the previous loader must be
    // finished or stopped; StartLoading stops it otherwise).
    void StartLoading(const std::vector<std::string>& paths, ProgressFn progress = {});
    // Stops a running loader after the files it is reading and joins it.
    void StopLoading();
    bool Loading() const;
    // How many loads were started so far: tells a caller that a load began, also when it is
    // over already by the time the caller looks.
    size_t LoadsStarted() const;

    // Appends an entry that is loaded already.
    void AppendLoaded(const std::string& path, PileRecord rec, Status readStatus);
    // Erases entry i, loaded or not. Safe while the loader runs.
    void Erase(size_t i);
    // Stops the loader, then empties the list (the records' memory is given back on a thread
    // of its own).
    void Clear();

    void SetBeforeReadHookForTesting(BeforeReadFn hook);

private:
    struct Entry {
        std::string path;
        std::shared_ptr<PileRecord> record;  // made by the loader; the loader's until loaded
        Status readStatus;
        FileStamp stamp;
        bool loaded = false;  // guarded by mutex_
        bool listed = true;   // guarded by mutex_; false once erased
        int waiters = 0;      // guarded by mutex_; threads in WaitFor for this entry
    };
    // The diagnostic dump of the latest file a loader thread has read.
    struct LatestDump {
        uint64_t order = 0;  // when its entry was taken; 0 = none
        WaveDump dump;
    };

    // Body of each loader thread: takes the next entry not yet loaded, in list order, reads
    // its file, applies the post-read steps and publishes it. The last thread to finish
    // writes the dump of the last file read, the only one a reader-by-reader dump would leave.
    void LoadProjectRecords(size_t worker, ProgressFn progress, BeforeReadFn hook);

    mutable std::mutex mutex_;
    std::condition_variable published_;
    std::vector<std::shared_ptr<Entry>> entries_;
    size_t next_ = 0;         // entries before this one are loaded or taken by the loader
    size_t loadedCount_ = 0;  // loaded entries still listed
    uint64_t taken_ = 0;      // entries taken by the loader so far
    bool loaderRunning_ = false;
    size_t loadsStarted_ = 0;  // guarded by mutex_
    size_t activeWorkers_ = 0;
    std::vector<LatestDump> dumps_;  // one per loader thread
    std::atomic<bool> stop_{false};
    std::vector<std::thread> workers_;
    std::thread reclaimer_;  // frees the entries of a cleared list
    BeforeReadFn beforeRead_;
};

}  // namespace kx
