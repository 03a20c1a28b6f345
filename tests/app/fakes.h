// Fakes of the panel, the OS and the plug-ins. They keep the state a person
// would see and one shared log of calls, so order across them can be checked.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/os_services.h"
#include "app/panel_controls.h"
#include "app/plug_ins.h"

namespace tovanel::app::testing {

using CallLog = std::vector<std::string>;

// Thrown by FakeOs::EndProcess so a test sees where the process would end.
struct ProcessEnded {
    int exit_code;
};

class FakePanel : public PanelControls {
  public:
    explicit FakePanel(CallLog& log) : log_(log) {}

    void CheckRadio(RadioButton which) override {
        checked_radio = which;
        log_.push_back(which == RadioButton::kSend ? "radio send" : "radio paste");
    }
    bool IsRadioChecked(RadioButton which) const override { return checked_radio == which; }
    void SetMenuChecked(MenuItem item, bool checked) override {
        menu_checked[item] = checked;
        log_.push_back(std::string("check ") + ItemName(item) + (checked ? " on" : " off"));
    }
    bool IsMenuChecked(MenuItem item) const override { return Checked(item); }
    void SetMenuEnabled(MenuItem item, bool enabled) override {
        menu_enabled[item] = enabled;
        log_.push_back(std::string("enable ") + ItemName(item) + (enabled ? " on" : " off"));
    }
    void SetRadioGroupEnabled(bool enabled) override {
        radio_group_enabled = enabled;
        log_.push_back(enabled ? "enable radio group" : "disable radio group");
    }
    void SetGeometry(PanelPart part, Geometry property, int32_t pixels) override {
        geometry[{part, property}] = pixels;
        log_.push_back(std::string("set ") + PartName(part) + " " + PropertyName(property) + " " +
                       std::to_string(pixels));
    }
    int Dpi() const override { return dpi; }
    void SetWindowVisible(bool visible) override {
        window_visible = visible;
        log_.push_back(visible ? "show window" : "hide window");
    }
    void SetTimerPeriod(uint32_t milliseconds) override {
        timer_period = milliseconds;
        log_.push_back("timer " + std::to_string(milliseconds));
    }
    void RequestDestroy() override {
        destroy_requested = true;
        log_.push_back("request destroy");
    }

    bool Checked(MenuItem item) const { return Lookup(menu_checked, item, false); }
    bool Enabled(MenuItem item) const { return Lookup(menu_enabled, item, true); }

    static const char* ItemName(MenuItem item) {
        switch (item) {
            case MenuItem::kShowTrayIcon:
                return "显示托盘图标";
            case MenuItem::kShowHide:
                return "显示/隐藏";
            case MenuItem::kFollowChat:
                return "跟随微信";
            case MenuItem::kAutostart:
                return "开机启动";
        }
        return "?";
    }
    static const char* PartName(PanelPart part) {
        switch (part) {
            case PanelPart::kWindow:
                return "window";
            case PanelPart::kReplyList:
                return "list";
            case PanelPart::kNewReplyEdit:
                return "edit";
            case PanelPart::kAddButton:
                return "add";
            case PanelPart::kManualButton:
                return "manual";
        }
        return "?";
    }
    static const char* PropertyName(Geometry property) {
        switch (property) {
            case Geometry::kLeft:
                return "left";
            case Geometry::kTop:
                return "top";
            case Geometry::kHeight:
                return "height";
        }
        return "?";
    }

    // As the window is before start-up: invisible, stopped, all enabled, nothing checked.
    std::optional<RadioButton> checked_radio;
    std::map<MenuItem, bool> menu_checked;
    std::map<MenuItem, bool> menu_enabled;
    std::map<std::pair<PanelPart, Geometry>, int32_t> geometry;
    bool radio_group_enabled = true;
    bool window_visible = false;
    uint32_t timer_period = 0;
    bool destroy_requested = false;
    int dpi = 96;

  private:
    static bool Lookup(const std::map<MenuItem, bool>& m, MenuItem item, bool otherwise) {
        const auto it = m.find(item);
        return it == m.end() ? otherwise : it->second;
    }
    CallLog& log_;
};

class FakeOs : public OsServices {
  public:
    explicit FakeOs(CallLog& log) : log_(log) {}

    bool AddTrayIcon() override {
        log_.push_back("tray add");
        if (add_tray_fails) return false;
        tray_icon_present = true;
        return true;
    }
    bool ModifyTrayIcon() override {
        log_.push_back("tray modify");
        return tray_icon_present;
    }
    void DeleteTrayIcon() override {
        log_.push_back("tray delete");
        tray_icon_present = false;
    }
    void RegisterDropTarget() override { log_.push_back("register drop target"); }
    void RevokeDropTarget() override { log_.push_back("revoke drop target"); }
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
        log_.push_back("message");
    }
    void Sleep(uint32_t milliseconds) override {
        log_.push_back("sleep " + std::to_string(milliseconds));
    }
    void PumpPendingMessages() override { log_.push_back("pump"); }
    [[noreturn]] void EndProcess(int exit_code) override {
        log_.push_back("exit " + std::to_string(exit_code));
        throw ProcessEnded{exit_code};
    }

    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    bool tray_icon_present = false;
    bool add_tray_fails = false;

  private:
    CallLog& log_;
};

class FakePlugIns : public PlugIns {
  public:
    explicit FakePlugIns(CallLog& log) : log_(log) {}

    void SingleInstanceGuard() override { log_.push_back("single instance guard"); }
    void RefillReplyList() override { log_.push_back("refill reply list"); }
    void AcceptDroppedFile(const std::string& path) override {
        log_.push_back("accept dropped " + path);
    }
    void InstallKeyboardHook() override {
        keyboard_hook = true;
        log_.push_back("install keyboard hook");
    }
    void RemoveKeyboardHook() override {
        keyboard_hook = false;
        log_.push_back("remove keyboard hook");
    }
    void InstallMouseHook() override {
        mouse_hook = true;
        log_.push_back("install mouse hook");
    }
    void RemoveMouseHook() override {
        mouse_hook = false;
        log_.push_back("remove mouse hook");
    }
    void DockTick() override { log_.push_back("dock tick"); }

    bool keyboard_hook = false;
    bool mouse_hook = false;

  private:
    CallLog& log_;
};

}  // namespace tovanel::app::testing
