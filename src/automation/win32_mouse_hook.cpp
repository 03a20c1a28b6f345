#include "automation/mouse_events.h"
#include "automation/win32_hooks.h"

namespace tovanel::automation {

namespace {

struct MouseHookState {
    UniqueHook hook;
    MouseEventHandler* handler = nullptr;
};

MouseHookState& State() {
    static MouseHookState state;
    return state;
}

LRESULT CALLBACK MouseProc(int code, WPARAM wp, LPARAM lp) {
    MouseHookState& state = State();
    if (code >= 0 && state.handler != nullptr) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
        const MouseCodes codes = DecodeMouseEvent(static_cast<uint32_t>(wp), event->mouseData);
        if (codes.button == 1 && codes.action == 1) {
            const auto window = reinterpret_cast<WindowHandle>(WindowFromPoint(event->pt));
            state.handler->OnMouseEvent(codes.button, codes.action,
                                        EventText(window, event->pt.x, event->pt.y));
        }
    }
    return CallNextHookEx(state.hook.get(), code, wp, lp);
}

}  // namespace

void InstallMouseHook(MouseEventHandler& handler) {
    MouseHookState& state = State();
    if (state.hook) return;
    state.handler = &handler;
    state.hook.Reset(SetWindowsHookExA(WH_MOUSE_LL, &MouseProc, GetModuleHandleA(nullptr), 0));
}

bool RemoveMouseHook() {
    MouseHookState& state = State();
    if (!state.hook || !UnhookWindowsHookEx(state.hook.get())) return false;
    state.hook.Release();
    return true;
}

bool MouseHookInstalled() {
    return static_cast<bool>(State().hook);
}

}  // namespace tovanel::automation
