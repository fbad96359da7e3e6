#include "workspace/thread_priority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kx {

void GiveWayToTheWindow() {
    const id_t self = static_cast<id_t>(gettid());
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, self);
    if (errno == 0) {
        (void)setpriority(PRIO_PROCESS, self, std::min(nice + 10, 19));
    }
}

}  // namespace kx
