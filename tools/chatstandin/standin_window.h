// The stand-in's main window: class "WeChatMainWndForPC", title "微信", an
// ordinary overlapped window with a history list, the message input box and
// the Send button. Velquin finds the input box and the button only by their
// offsets from the window's outer bottom-right corner, so the layout keeps
// (width - 33, height - 58) inside the input box and (width - 78, height - 28)
// inside the button at every size. Like the chat client, it draws its own
// caption: its client area fills the whole window, so those offsets hold from
// the outer corner and from the client origin alike (Velquin adds the latter).
// Like the real chat client, it is
// per-monitor DPI aware and scales its 96-DPI layout by its monitor's DPI, so
// at 150 % those points become (width - 50, height - 87) and
// (width - 117, height - 42).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "event_log.h"
#include "input_box.h"
#include "options.h"
#include "ui/win_handles.h"

namespace chatstandin {

class StandinWindow {
  public:
    explicit StandinWindow(const EventLog& log) : log_(log) {}
    StandinWindow(const StandinWindow&) = delete;
    StandinWindow& operator=(const StandinWindow&) = delete;

    // Registers the class and creates the window, shown. False on failure.
    bool Create(HINSTANCE instance, const std::optional<WindowPlacement>& placement);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnSize();
    // Places the children for the window's current outer size.
    void LayOut();
    void OnCommand(WORD id, WORD code);
    void OnSend();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnDpiChanged(int dpi, const RECT& suggested);
    LRESULT OnHitTest(LPARAM lp);
    void OnPaint();
    void OnDestroy();
    void ApplyFont();

    const EventLog& log_;
    HWND hwnd_ = nullptr;
    HWND history_ = nullptr;
    HWND sendButton_ = nullptr;
    int dpi_ = 96;
    tovanel::ui::UniqueFont scaledFont_;  // empty while the stock font fits
    std::unique_ptr<InputBox> input_;
};

}  // namespace chatstandin
