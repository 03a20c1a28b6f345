// What the single-instance guard asks of the system: the instance marker,
// the running processes and the top-level windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovanel::app {

// A top-level window; 0 is none.
using WindowHandle = uintptr_t;

class InstanceMarker {
  public:
    virtual ~InstanceMarker() = default;
    // Creates the marker, or opens it when another copy made it first, and
    // keeps it for as long as the process lives. True when it existed before.
    // A marker that cannot be made counts as new: the copy runs on.
    virtual bool MarkPresence() = 0;
};

struct ProcessEntry {
    uint32_t pid = 0;
    std::string exe_file;  // file name with extension, no folder
};

class ProcessList {
  public:
    virtual ~ProcessList() = default;
    // Every process, in the system's order; empty when no snapshot was taken.
    virtual std::vector<ProcessEntry> Snapshot() = 0;
    virtual uint32_t OwnProcessId() = 0;
    // This program's executable file name, with extension, without folder.
    virtual std::string OwnExeFile() = 0;
};

class TopLevelWindows {
  public:
    virtual ~TopLevelWindows() = default;
    // The next top-level window in z-order after `previous` (0: the first).
    virtual WindowHandle NextAfter(WindowHandle previous) = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    virtual uint32_t ProcessOf(WindowHandle window) = 0;
    // An owned pop-up reports its owner as parent.
    virtual bool HasParent(WindowHandle window) = 0;
    virtual uint32_t TickCount() = 0;
    // Dispatches what waits in the calling thread's queue.
    virtual void PumpMessages() = 0;
    // Restores the window if it is minimized and makes it the active window.
    virtual void RestoreAndActivate(WindowHandle window) = 0;
};

}  // namespace tovanel::app
