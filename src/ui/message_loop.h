// The GUI thread's message loop.
#pragma once

#include <functional>

#include "ui/main_window.h"

namespace tovanel::ui {

// Runs until WM_QUIT. Esc pressed while `main` is the active window goes to
// `on_escape` instead of the control that has the focus.
void RunMessageLoop(const MainWindow& main, const std::function<void()>& on_escape);

// Retrieves, translates and dispatches the messages already queued, once
// through, stopping early when WM_QUIT is next (it stays queued).
void DispatchPendingMessages();

}  // namespace tovanel::ui
