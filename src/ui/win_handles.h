// Move-only owners of Win32 handles. A null handle and INVALID_HANDLE_VALUE
// both mean "no handle" and are never released.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tovanel::ui {

template <typename Handle, typename Releaser>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Valid(handle_); }
    Handle Release() { return std::exchange(handle_, Handle{}); }
    void Reset(Handle handle = Handle{}) {
        const Handle old = std::exchange(handle_, handle);
        if (Valid(old)) Releaser{}(old);
    }

  private:
    static bool Valid(Handle h) {
        return h != Handle{} && reinterpret_cast<HANDLE>(h) != INVALID_HANDLE_VALUE;
    }
    Handle handle_{};
};

struct DestroyWindowRelease {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct DestroyMenuRelease {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct DestroyIconRelease {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct DeleteObjectRelease {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct ImageListRelease {
    void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};
struct CloseHandleRelease {
    void operator()(HANDLE h) const { CloseHandle(h); }
};

using UniqueWindow = UniqueHandle<HWND, DestroyWindowRelease>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuRelease>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconRelease>;
using UniqueFont = UniqueHandle<HFONT, DeleteObjectRelease>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObjectRelease>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObjectRelease>;
using UniquePen = UniqueHandle<HPEN, DeleteObjectRelease>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListRelease>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandleRelease>;

// Restores the object that was selected into a device context.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's paint session.
class PaintSession {
  public:
    explicit PaintSession(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintSession() { EndPaint(window_, &ps_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace tovanel::ui
