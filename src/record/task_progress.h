// A long task's link to whoever waits for it (a window's progress bar and 取消 button, or
// nobody): how far the task has got, and whether it is to stop.
#pragma once

#include <cstddef>

namespace kx {

// The reason of a Status that ended because the user stopped the task.
inline constexpr const char* kTaskCancelled = "cancelled by the user";

class TaskProgress {
public:
    virtual ~TaskProgress() = default;
    // `done` of `total` steps are finished. Called on the task's own thread.
    virtual void Advance(size_t done, size_t total) {
        (void)done;
        (void)total;
    }
    // The user asked to stop: the task ends at its next step and leaves no partial output.
    virtual bool Cancelled() const { return false; }
};

}  // namespace kx
