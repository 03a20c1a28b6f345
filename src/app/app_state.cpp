#include "app/app_state.h"

#include <cstdlib>

namespace tovanel::app {

namespace {

void ReleaseChatWindowRect() {
    AppState& state = ProcessAppState();
    delete state.chat_window_rect;
    state.chat_window_rect = nullptr;
}

}  // namespace

AppState& ProcessAppState() {
    static AppState state;
    return state;
}

void CreateChatWindowRect() {
    ProcessAppState().chat_window_rect = new ChatWindowRect{};
    std::atexit(&ReleaseChatWindowRect);
}

}  // namespace tovanel::app
