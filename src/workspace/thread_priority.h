// Work that runs beside the window (the project loader, an import, a report) gives way to the
// window's thread and the display server when they want a core.
#pragma once

namespace kx {

// Ten steps of niceness below the process, for the calling thread only. With such work at the
// window's own priority on every core, a paint waited for a core and the event loop stalled
// for a frame or two; on an idle core the thread runs at full speed all the same.
void GiveWayToTheWindow();

}  // namespace kx
