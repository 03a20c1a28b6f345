#include "automation/key_events.h"

namespace tovanel::automation {

namespace {

// The generic code a modifier key sets on key down, or 0 for other keys.
int32_t ModifierCode(uint32_t virtual_key) {
    switch (virtual_key) {
        case 160:  // VK_LSHIFT
        case 161:
            return 16;
        case 162:  // VK_LCONTROL
        case 163:
            return 17;
        case 164:  // VK_LMENU
        case 165:
            return 18;
        case 91:  // VK_LWIN
        case 92:
            return 91;
        default:
            return 0;
    }
}

}  // namespace

int32_t DecodeKeyEvent(uint32_t virtual_key, uint32_t flags, int32_t& modifier_state) {
    if (flags < 35) {
        if (const int32_t code = ModifierCode(virtual_key)) modifier_state = code;
        return kKeyDown;
    }
    if (flags >= 128) {
        if (ModifierCode(virtual_key) != 0) modifier_state = 0;
        return kKeyUp;
    }
    return 0;
}

const char* HotkeyText(int32_t virtual_key) {
    static const char* const kTexts[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                         "F7", "F8", "F9", "F10", "F11", "F12"};
    if (virtual_key < 112 || virtual_key > 123) return nullptr;
    return kTexts[virtual_key - 112];
}

void OnKeyEvent(int32_t, int32_t virtual_key, int32_t action, HotkeySink& sink) {
    if (action != kKeyDown) return;
    if (const char* text = HotkeyText(virtual_key)) sink.OnHotkey(text);
}

}  // namespace tovanel::automation
