// MainWindow on Win32: the borderless panel with its controls, its two pop-up
// menus and its timer. Decisions are made elsewhere; this only carries them out
// and reports the window's events.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/panel_controls.h"
#include "app/panel_switch.h"
#include "settings/tray_ports.h"
#include "ui/dpi_scale.h"
#include "ui/main_window_layout.h"
#include "ui/reply_list_control.h"
#include "ui/reply_list_events.h"
#include "ui/win_handles.h"

namespace tovanel::ui {

// What the window reports; the program's frame decides what happens.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;
    virtual void OnCreated() = 0;
    [[noreturn]] virtual void OnClosing() = 0;
    virtual void OnCloseCommand() = 0;  // "关闭", "退出", Esc
    virtual void OnTimer() = 0;
    virtual void OnFileDropped(const std::string& path) = 0;
    virtual void OnTaskbarCreated() = 0;
    // 1 left button released, 2 left double click, 3 right button released.
    virtual void OnTrayEvent(int action) = 0;
    virtual void OnSwitch(app::PanelSwitch which) = 0;
};

class MainWindow : public app::PanelControls, public settings::TrayMenuHost {
  public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window invisible, centred on the screen; its creation event
    // reaches `events` before this returns. False when the window could not be made.
    bool Create(MainWindowEvents& events);

    HWND window() const { return window_.get(); }
    HWND reply_list() const { return Control(超级列表框1); }
    HICON small_icon() const { return small_icon_.get(); }
    HFONT ui_font() const;
    // The rows of 超级列表框1, read and refilled by the reply library and the delivery.
    replies::ReplyListView& reply_rows() { return reply_rows_; }
    // Where the reply list's clicks, "添加" and the reply menu's commands go.
    void SetReplyListEvents(ReplyListEvents& events) { reply_events_ = &events; }
    bool IsActive() const { return window_ && GetActiveWindow() == window_.get(); }

    // app::PanelControls
    void CheckRadio(app::RadioButton which) override;
    bool IsRadioChecked(app::RadioButton which) const override;
    void SetMenuChecked(app::MenuItem item, bool checked) override;
    bool IsMenuChecked(app::MenuItem item) const override;
    void SetMenuEnabled(app::MenuItem item, bool enabled) override;
    void SetRadioGroupEnabled(bool enabled) override;
    void SetWindowVisible(bool visible) override;
    int Dpi() const override { return dpi_; }
    void SetGeometry(app::PanelPart part, app::Geometry property, int32_t pixels) override;
    void SetTimerPeriod(uint32_t milliseconds) override;
    void RequestDestroy() override;

    // settings::TrayMenuHost
    settings::ScreenPoint ClientOrigin() const override;
    bool ReceivesClickAt(settings::ScreenPoint point) const override;
    void PopUpTrayMenu(settings::ScreenPoint anchor) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ReplyListProc(HWND list, UINT message, WPARAM wp, LPARAM lp,
                                          UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wp, LPARAM lp);

    LRESULT OnCreate();
    void OnCommand(int id, int notification);
    void OnLeftButtonDown();
    void OnPaint();
    LRESULT OnControlColour(HDC dc);
    void OnTrayNotify(LPARAM lp);
    void OnDropFiles(HDROP drop);
    void OnDpiChanged(int dpi, const RECT& suggested);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnEditColour(HDC dc, HWND edit);
    bool OnReplyCommand(int id, int notification);
    void OnAddClicked();
    void ShowReplyMenu();

    bool RegisterWindowClass();
    void CentreForDpi();
    void CreateFonts();
    void ApplyFonts();
    void CreateControls();
    void LayOutControls(int previous_dpi);
    void SetUpReplyList();
    void ScaleColumns(int previous_dpi);
    void ShowRowMarks();
    void ShowLogo();
    void CreateMenus();
    HWND Control(int id) const { return GetDlgItem(window_.get(), id); }
    HMENU MenuOf(app::MenuItem item) const;

    HINSTANCE instance_;
    MainWindowEvents* events_ = nullptr;
    UniqueWindow window_;
    UINT taskbar_created_message_ = 0;
    int dpi_ = kBaseDpi;
    bool docking_ = false;  // 时钟1 runs: the chat window decides where the panel stands
    UniqueIcon big_icon_;
    UniqueIcon small_icon_;
    UniqueFont font_;        // empty when the stock GUI font serves
    UniqueFont title_font_;  // for 标签1
    UniqueBitmap logo_;
    UniqueImageList row_marks_;
    UniqueMenu reply_menu_;  // "右键菜单", owns its "导入/导出" submenu
    UniqueMenu tray_menu_;   // "托盘菜单"
    UniqueBrush edit_background_;  // 编辑框1's
    ReplyListControl reply_rows_;
    ReplyListEvents* reply_events_ = nullptr;
};

}  // namespace tovanel::ui
