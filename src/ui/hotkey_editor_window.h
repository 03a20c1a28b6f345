// HotkeyEditorWindow: the modal window in which F1 … F12 are given to text
// replies. The rules are replies::HotkeyEditor's; this shows its rows and
// passes the clicks on.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "replies/hotkey_editor.h"
#include "ui/dpi_scale.h"
#include "ui/win_handles.h"

namespace tovanel::ui {

inline constexpr const char* kHotkeyEditorClass = "TovanelHotkeyEditor";

class HotkeyEditorWindow {
  public:
    HotkeyEditorWindow(HINSTANCE instance, replies::HotkeyEditor& editor);
    HotkeyEditorWindow(const HotkeyEditorWindow&) = delete;
    HotkeyEditorWindow& operator=(const HotkeyEditorWindow&) = delete;

    // Opens the editor owned by `owner` and returns once it has been closed;
    // the owner takes no input meanwhile.
    void RunModal(HWND owner, HFONT font);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT message, WPARAM wp, LPARAM lp);

    bool RegisterWindowClass();
    void OnCreate();
    void CreateControls();
    void MakeFonts();
    void ApplyFonts();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SetUpList();
    void OnCommand(int id, int notification);
    LRESULT OnNotify(const NMHDR& header);
    void ShowRows();
    void AssignHotkey();
    void CloseHotkeyEditor();
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    HINSTANCE instance_;
    replies::HotkeyEditor& editor_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;  // destroyed by CloseHotkeyEditor
    HFONT font_ = nullptr;   // the panel's, made for font_dpi_
    UniqueFont text_font_;   // a copy of font_ at dpi_; empty while font_ fits
    UniqueFont heading_font_;
    int dpi_ = kBaseDpi;  // of the monitor the editor is on
    int font_dpi_ = kBaseDpi;
};

}  // namespace tovanel::ui
