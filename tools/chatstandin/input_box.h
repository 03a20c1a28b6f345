// The message input box: a multiline edit whose Ctrl+V is handled here so that
// both text and file lists arrive, and every paste is logged.
#pragma once

#include <windows.h>

#include "event_log.h"

namespace chatstandin {

class InputBox {
  public:
    InputBox(HWND edit, const EventLog& log);
    InputBox(const InputBox&) = delete;
    InputBox& operator=(const InputBox&) = delete;
    ~InputBox();

    HWND Window() const { return edit_; }
    std::wstring Text() const;
    void Clear();

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);
    bool OnKeyDown(WPARAM key);
    void OnPaste();

    HWND edit_;
    const EventLog& log_;
};

}  // namespace chatstandin
