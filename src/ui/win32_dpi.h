// The DPI Windows lays a window out at, on every Windows version we run on.
#pragma once

#include <windows.h>

namespace tovanel::ui {

// The DPI of the monitor `window` is on (GetDpiForWindow, Windows 10 1607 and
// later); the system DPI on older Windows or when the window is gone.
int WindowDpi(HWND window);

// The DPI of the monitor most of `window` lies on, as a per-monitor aware
// program sees it: the scale at which the window appears on screen whether it
// scales itself (per-monitor aware) or Windows stretches it (unaware). For a
// per-monitor aware window this is WindowDpi.
int MonitorDpi(HWND window);

// The DPI of the primary monitor at sign-in, which stock objects such as
// DEFAULT_GUI_FONT are sized for.
int SystemDpi();

// The outer rectangle of a window whose client area is `rect`, with the frame
// and caption as Windows draws them at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, int dpi);

// A copy of DEFAULT_GUI_FONT for a window at `dpi`, owned by the caller; null
// when the stock font itself fits (`dpi` is the system DPI) or on failure.
HFONT CreateStockFontAt(int dpi);

}  // namespace tovanel::ui
