// The single-instance guard's ports on Win32: a named event, the tool-help
// process snapshot and the z-order walk over top-level windows.
#pragma once

#include "app/instance_ports.h"
#include "ui/win_handles.h"

namespace tovanel::app {

// The same in every copy and every version; no "Global\" or "Local\"
// prefix, so it lives in the logon session's namespace.
inline constexpr const char* kInstanceMarkerName = "Tovanel.Velquin.SingleInstance";

class Win32InstanceMarker final : public InstanceMarker {
  public:
    bool MarkPresence() override;

  private:
    // Held for the whole run and never signalled: the event lives exactly as
    // long as some copy holds it.
    ui::UniqueKernelHandle event_;
};

class Win32ProcessList final : public ProcessList {
  public:
    std::vector<ProcessEntry> Snapshot() override;
    uint32_t OwnProcessId() override;
    std::string OwnExeFile() override;
};

class Win32TopLevelWindows final : public TopLevelWindows {
  public:
    WindowHandle NextAfter(WindowHandle previous) override;
    bool IsVisible(WindowHandle window) override;
    uint32_t ProcessOf(WindowHandle window) override;
    bool HasParent(WindowHandle window) override;
    uint32_t TickCount() override;
    void PumpMessages() override;
    void RestoreAndActivate(WindowHandle window) override;
};

}  // namespace tovanel::app
