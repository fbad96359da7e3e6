// The records of the open project (the main window's m_records) and the loader thread that
// fills them.
//
// Entries are created in list order, either already loaded (a file added by hand) or empty
// for the loader, which reads them one by one in list order on its own thread and publishes
// each once complete. The user-interface thread owns the list itself: only it appends, erases
// and clears. It may touch the record of an entry only once that entry is published, which
// WaitFor and TryGet guarantee; from then on the loader never touches it again, so a record
// handed out stays valid and unshared until its entry is erased or the list cleared.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "record/pile_record.h"

namespace kx {

class ProjectRecords {
public:
    // Called on the loader thread after each record is published: records loaded so far and
    // entries in the list. It must not wait for the user-interface thread.
    using ProgressFn = std::function<void(size_t loaded, size_t total)>;
    // Test hook, called on the loader thread before each file is read.
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
    // Stops a running loader after the file it is reading and joins it.
    void StopLoading();
    bool Loading() const;

    // Appends an entry that is loaded already.
    void AppendLoaded(const std::string& path, PileRecord rec, Status readStatus);
    // Erases entry i, loaded or not. Safe while the loader runs.
    void Erase(size_t i);
    // Stops the loader, then empties the list.
    void Clear();

    void SetBeforeReadHookForTesting(BeforeReadFn hook);

private:
    struct Entry {
        std::string path;
        PileRecord record;
        Status readStatus;
        bool loaded = false;  // guarded by mutex_; record is the loader's until set
        bool listed = true;   // guarded by mutex_; false once erased
    };

    // Body of the loader thread: for each entry not yet loaded, in list order, read its file,
    // apply the post-read steps and publish it.
    void LoadProjectRecords(ProgressFn progress, BeforeReadFn hook);

    mutable std::mutex mutex_;
    std::condition_variable published_;
    std::vector<std::shared_ptr<Entry>> entries_;
    size_t next_ = 0;         // entries before this one are loaded or taken by the loader
    size_t loadedCount_ = 0;  // loaded entries still listed
    bool loaderRunning_ = false;
    std::atomic<bool> stop_{false};
    std::thread loader_;
    BeforeReadFn beforeRead_;
};

}  // namespace kx
