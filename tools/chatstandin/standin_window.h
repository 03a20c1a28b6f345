// The stand-in's main window: class "WeChatMainWndForPC", title "微信", an
// ordinary overlapped window with a history list, the message input box and
// the Send button. Velquin finds the input box and the button only by their
// offsets from the window's outer bottom-right corner, so the layout keeps
// (width - 33, height - 58) inside the input box and (width - 78, height - 28)
// inside the button at every size.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "event_log.h"
#include "input_box.h"
#include "options.h"

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
    void OnDestroy();

    const EventLog& log_;
    HWND hwnd_ = nullptr;
    HWND history_ = nullptr;
    HWND sendButton_ = nullptr;
    std::unique_ptr<InputBox> input_;
};

}  // namespace chatstandin
