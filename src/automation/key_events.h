// Decoding of low-level key events and the F-key dispatch.
#pragma once

#include <cstdint>

namespace tovanel::automation {

inline constexpr int32_t kKeyDown = 1;
inline constexpr int32_t kKeyUp = 2;

// The action of a key event by its KBDLLHOOKSTRUCT flags: below 35 a key
// down, from 128 a key up, in between none (such as an injected key down with
// Alt held, 48). Keeps `modifier_state` as the generic code of the modifier
// pressed last (16 Shift, 17 Ctrl, 18 Alt, 91 Windows) and 0 once any is
// released. Returns 0 for no action.
int32_t DecodeKeyEvent(uint32_t virtual_key, uint32_t flags, int32_t& modifier_state);

// "F1" to "F12" for virtual keys 112 to 123, nullptr for every other key.
const char* HotkeyText(int32_t virtual_key);

// Who delivers the rows of an F-key.
class HotkeySink {
  public:
    virtual ~HotkeySink() = default;
    virtual void OnHotkey(const char* key_text) = 0;
};

// The key callback: a key down of F1 to F12, with any modifier, goes to the
// sink; everything else is ignored.
void OnKeyEvent(int32_t modifier_state, int32_t virtual_key, int32_t action, HotkeySink& sink);

}  // namespace tovanel::automation
