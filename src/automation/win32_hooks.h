// The two system-wide low-level hooks. Each module owns its HHOOK and one
// handler, process-wide, since a hook procedure gets no context of its own.
// The procedures pass negative codes on at once, decode the event, and hand
// it to the handler before passing it on; they are re-entrant, since a
// handler's synthetic input and message pumping run the hooks again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "ui/win_handles.h"

namespace tovanel::automation {

struct UnhookRelease {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = ui::UniqueHandle<HHOOK, UnhookRelease>;

class KeyEventHandler {
  public:
    virtual ~KeyEventHandler() = default;
    virtual void OnKeyEvent(int32_t modifier_state, int32_t virtual_key, int32_t action) = 0;
};

// Does nothing while a hook is installed (the first handler stays). A failed
// install leaves no handle, so a later call tries again. `modifier_state` is
// AppState's, kept up to date by the hook.
void InstallKeyboardHook(KeyEventHandler& handler, int32_t& modifier_state);
// Unhooks and forgets the handle whatever the result.
void RemoveKeyboardHook();
bool KeyboardHookInstalled();

class MouseEventHandler {
  public:
    virtual ~MouseEventHandler() = default;
    // text: "handle|x,y" of the window under the pointer and the point.
    virtual void OnMouseEvent(int32_t button, int32_t action, std::string_view text) = 0;
};

// As InstallKeyboardHook. Only left presses reach the handler: its one
// handler ignores everything else, and looking up the window under the
// pointer for every mouse move on the desktop would be waste.
void InstallMouseHook(MouseEventHandler& handler);
// Keeps the handle when unhooking fails, so that a later install does nothing.
bool RemoveMouseHook();
bool MouseHookInstalled();

}  // namespace tovanel::automation
