// The single-instance guard: the first step of start-up. A second copy says
// so, brings the running copy's window forward and ends.
#pragma once

#include <optional>

#include "app/instance_ports.h"
#include "app/os_services.h"
#include "store/file_port.h"

namespace tovanel::app {

inline constexpr const char* kAlreadyRunningText =
    "检测到系统已有相同程序在运行，请勿重复运行本程序";
inline constexpr const char* kAlreadyRunningCaption = "友情提醒:";
// How long the search for the running copy's window may take.
inline constexpr uint32_t kWindowSearchBudgetMs = 100;

class InstanceGuard {
  public:
    // `names` compares executable file names the way the file system does.
    InstanceGuard(InstanceMarker& marker, ProcessList& processes, TopLevelWindows& windows,
                  OsServices& os, const store::FileSystem& names)
        : marker_(marker), processes_(processes), windows_(windows), os_(os), names_(names) {}

    // Returns when no other copy runs; otherwise ends the process with code 0.
    void SingleInstanceGuard();

    // Another process running this program's executable, by file name.
    std::optional<uint32_t> FindRunningCopy();
    // The visible, parentless top-level window of `pid`, found within the budget.
    WindowHandle FindProcessWindow(uint32_t pid);

  private:
    InstanceMarker& marker_;
    ProcessList& processes_;
    TopLevelWindows& windows_;
    OsServices& os_;
    const store::FileSystem& names_;
};

}  // namespace tovanel::app
