#include "ui/message_loop.h"

namespace tovanel::ui {

void RunMessageLoop(const MainWindow& main, const std::function<void()>& on_escape) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && main.IsActive()) {
            on_escape();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void DispatchPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace tovanel::ui
