#include "ui/win32_dpi.h"

#include "ui/dpi_scale.h"

namespace tovanel::ui {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: the import would keep the program from starting on
// Windows before 10 1607.
GetDpiForWindowFunction GetDpiForWindowIfPresent() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return function;
}

using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// In shcore.dll, Windows 8.1 and later.
GetDpiForMonitorFunction GetDpiForMonitorIfPresent() {
    static const auto function = [] {
        HMODULE shcore = LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return reinterpret_cast<GetDpiForMonitorFunction>(
            reinterpret_cast<void*>(shcore ? GetProcAddress(shcore, "GetDpiForMonitor") : nullptr));
    }();
    return function;
}

}  // namespace

int MonitorDpi(HWND window) {
    if (const GetDpiForMonitorFunction get_dpi = GetDpiForMonitorIfPresent()) {
        UINT x = 0, y = 0;
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (SUCCEEDED(get_dpi(monitor, kEffectiveDpi, &x, &y)) && x != 0) {
            return static_cast<int>(x);
        }
    }
    return WindowDpi(window);
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust != nullptr && adjust(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

HFONT CreateStockFontAt(int dpi) {
    const int system_dpi = SystemDpi();
    LOGFONTA font;
    if (dpi == system_dpi || !GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) {
        return nullptr;
    }
    font.lfHeight = RescaleDpi(font.lfHeight, system_dpi, dpi);
    return CreateFontIndirectA(&font);
}

int WindowDpi(HWND window) {
    if (const GetDpiForWindowFunction get_dpi = GetDpiForWindowIfPresent()) {
        if (const UINT dpi = get_dpi(window)) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

}  // namespace tovanel::ui
