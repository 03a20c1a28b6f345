// Operations that other subsystems hook into start-up, shutdown and the
// window's events. Until they exist the program runs with placeholders.
#pragma once

#include <string>

namespace tovanel::app {

class PlugIns {
  public:
    virtual ~PlugIns() = default;
    // Ends the process when another copy already runs.
    virtual void SingleInstanceGuard() = 0;
    // Rebuilds the reply list from the content table and the attachment folder.
    virtual void RefillReplyList() = 0;
    // A file dropped on the reply list, by full path.
    virtual void AcceptDroppedFile(const std::string& path) = 0;
    // The keyboard hook with OnKeyEvent as its callback.
    virtual void InstallKeyboardHook() = 0;
    virtual void RemoveKeyboardHook() = 0;
    // The mouse hook with OnMouseEvent as its callback.
    virtual void InstallMouseHook() = 0;
    virtual void RemoveMouseHook() = 0;
    // Periodic handler of 时钟1: follows the chat window.
    virtual void DockTick() = 0;
};

}  // namespace tovanel::app
