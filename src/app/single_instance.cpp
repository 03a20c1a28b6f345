#include "app/single_instance.h"

#include "store/path_names.h"

namespace tovanel::app {

void InstanceGuard::SingleInstanceGuard() {
    // Created first and asked afterwards, so two copies started at the same
    // instant cannot both pass.
    if (!marker_.MarkPresence()) return;
    os_.ShowMessage(kAlreadyRunningText, kAlreadyRunningCaption, MessageIcon::kInformation);
    if (const std::optional<uint32_t> running = FindRunningCopy()) {
        if (const WindowHandle window = FindProcessWindow(*running)) {
            windows_.RestoreAndActivate(window);
        }
    }
    os_.EndProcess(0);
}

std::optional<uint32_t> InstanceGuard::FindRunningCopy() {
    const std::string own_file = processes_.OwnExeFile();
    const uint32_t own_pid = processes_.OwnProcessId();
    for (const ProcessEntry& entry : processes_.Snapshot()) {
        // This copy runs the same file; it is never the one to bring forward.
        if (entry.pid == own_pid) continue;
        if (store::SamePath(names_, entry.exe_file, own_file)) return entry.pid;
    }
    return std::nullopt;
}

WindowHandle InstanceGuard::FindProcessWindow(uint32_t pid) {
    const uint32_t start = windows_.TickCount();
    WindowHandle window = 0;
    // Unsigned difference: right across the tick count's wrap.
    while (windows_.TickCount() - start < kWindowSearchBudgetMs) {
        window = windows_.NextAfter(window);
        if (window == 0) return 0;
        if (!windows_.IsVisible(window)) continue;
        if (windows_.ProcessOf(window) == pid && !windows_.HasParent(window)) return window;
        windows_.PumpMessages();
    }
    return 0;
}

}  // namespace tovanel::app
