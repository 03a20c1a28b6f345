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

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
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
