// Fakes of the single-instance guard's ports: a marker that may already
// exist, a process list, and top-level windows in z-order with a clock that
// advances as the search looks at them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/instance_ports.h"
#include "fakes.h"

namespace tovanel::app::testing {

class FakeMarker : public InstanceMarker {
  public:
    explicit FakeMarker(CallLog& log) : log_(log) {}
    bool MarkPresence() override {
        log_.push_back("mark presence");
        return already_exists;
    }
    bool already_exists = false;

  private:
    CallLog& log_;
};

class FakeProcesses : public ProcessList {
  public:
    explicit FakeProcesses(CallLog& log) : log_(log) {}
    std::vector<ProcessEntry> Snapshot() override {
        log_.push_back("snapshot");
        return entries;
    }
    uint32_t OwnProcessId() override { return own_pid; }
    std::string OwnExeFile() override { return own_file; }

    std::vector<ProcessEntry> entries;
    uint32_t own_pid = 200;
    std::string own_file = "Velquin.exe";

  private:
    CallLog& log_;
};

struct FakeWindow {
    WindowHandle handle;
    uint32_t pid;
    bool visible = true;
    bool has_parent = false;
};

class FakeWindows : public TopLevelWindows {
  public:
    explicit FakeWindows(CallLog& log) : log_(log) {}
    WindowHandle NextAfter(WindowHandle previous) override {
        now += ms_per_window;
        size_t next = 0;
        if (previous != 0) {
            while (next < z_order.size() && z_order[next].handle != previous) ++next;
            ++next;
        }
        if (next >= z_order.size()) return 0;
        examined.push_back(z_order[next].handle);
        return z_order[next].handle;
    }
    bool IsVisible(WindowHandle w) override { return Find(w).visible; }
    uint32_t ProcessOf(WindowHandle w) override { return Find(w).pid; }
    bool HasParent(WindowHandle w) override { return Find(w).has_parent; }
    uint32_t TickCount() override { return now; }
    void PumpMessages() override { ++pumps; }
    void RestoreAndActivate(WindowHandle w) override {
        log_.push_back("activate " + std::to_string(w));
    }

    std::vector<FakeWindow> z_order;
    uint32_t now = 5000;
    uint32_t ms_per_window = 0;
    std::vector<WindowHandle> examined;
    int pumps = 0;

  private:
    const FakeWindow& Find(WindowHandle w) const {
        for (const FakeWindow& window : z_order) {
            if (window.handle == w) return window;
        }
        throw std::logic_error("unknown window");
    }
    CallLog& log_;
};

}  // namespace tovanel::app::testing
