// The process-wide state that every handler of the program shares.
#pragma once

#include <cstdint>

namespace tovanel::app {

// The chat client's main window, outer rectangle in screen pixels.
struct ChatWindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// One per process; every field starts at zero. Each flag holds 0 or 1.
struct AppState {
    int32_t send_mode = 0;  // 0: paste only, 1: paste and send
    int32_t tray_flag = 0;  // the tray icon counts as shown
    int32_t hidden_flag = 0;
    int32_t follow_flag = 0;
    int32_t autostart_flag = 0;
    int32_t mouse_hook_started = 0;              // set once by ApplySettings, never cleared
    uintptr_t chat_window = 0;                   // handle found by the last docking tick
    ChatWindowRect* chat_window_rect = nullptr;  // lives from entry to process exit
    int32_t modifier_state = 0;                  // 16, 17, 18, 91 or 0
};

// The one instance of the running program.
AppState& ProcessAppState();

// Gives the process state its zero-filled ChatWindowRect and registers its
// release as a process-exit routine. Called once, at entry.
void CreateChatWindowRect();

}  // namespace tovanel::app
