#include "automation/key_events.h"
#include "automation/win32_hooks.h"

namespace tovanel::automation {

namespace {

struct KeyboardHookState {
    UniqueHook hook;
    KeyEventHandler* handler = nullptr;
    int32_t* modifier_state = nullptr;
};

KeyboardHookState& State() {
    static KeyboardHookState state;
    return state;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wp, LPARAM lp) {
    KeyboardHookState& state = State();
    if (code == HC_ACTION && state.handler != nullptr) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        const int32_t action = DecodeKeyEvent(event->vkCode, event->flags, *state.modifier_state);
        if (action != 0) {
            state.handler->OnKeyEvent(*state.modifier_state, static_cast<int32_t>(event->vkCode),
                                      action);
        }
    }
    return CallNextHookEx(state.hook.get(), code, wp, lp);
}

}  // namespace

void InstallKeyboardHook(KeyEventHandler& handler, int32_t& modifier_state) {
    KeyboardHookState& state = State();
    if (state.hook) return;
    state.handler = &handler;
    state.modifier_state = &modifier_state;
    state.hook.Reset(
        SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardProc, GetModuleHandleA(nullptr), 0));
}

void RemoveKeyboardHook() {
    State().hook.Reset();
}

bool KeyboardHookInstalled() {
    return static_cast<bool>(State().hook);
}

}  // namespace tovanel::automation
