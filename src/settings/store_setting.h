// Writing the settings table: which switch writes which fields, and the two
// ways a switch writes them.
#pragma once

#include <array>

#include "app/os_services.h"
#include "settings/settings_table.h"
#include "store/record_store.h"

namespace tovanel::settings {

// The switches that store a setting the moment the user flips it.
enum class SettingTrigger {
    kSelectPasteOnly,     // 单选框粘贴 "只是粘贴"
    kSelectPasteAndSend,  // 单选框发送 "一键发送"
    kToggleTrayIcon,      // "显示托盘图标"
    kHidePanel,           // 按钮_隐藏运行 "隐藏运行"
    kToggleShowHide,      // "显示/隐藏"
    kToggleFollow,        // "跟随微信"
    kToggleAutostart,     // "开机启动"
};

// The positions one write of a trigger sets, all to the same value; every
// other field keeps what the table holds.
struct TriggerPositions {
    SettingTrigger trigger;
    std::array<int, 2> positions;  // 0: no position
};

inline constexpr TriggerPositions kTriggerPositions[] = {
    {SettingTrigger::kSelectPasteOnly, {kPasteOrSendPosition, 0}},
    {SettingTrigger::kSelectPasteAndSend, {kPasteOrSendPosition, 0}},
    {SettingTrigger::kToggleTrayIcon, {kTrayIconPosition, 0}},
    {SettingTrigger::kHidePanel, {kTrayIconPosition, kHiddenPosition}},
    {SettingTrigger::kToggleShowHide, {kHiddenPosition, 0}},
    {SettingTrigger::kToggleFollow, {kFollowChatPosition, 0}},
    {SettingTrigger::kToggleAutostart, {kAutostartPosition, 0}},
};

// `value` at the trigger's positions and no value anywhere else.
store::Values ValuesFor(SettingTrigger trigger, bool value);

inline constexpr const char* kCannotOpenSettings = "设置数据库打开失败！";
inline constexpr const char* kCannotModifySettings = "修改设置出错！";

class SettingsWriter {
  public:
    SettingsWriter(store::RecordStore& store, app::OsServices& os) : store_(store), os_(os) {}

    // StoreSetting: a table that cannot be opened is reported, a write that
    // fails is not.
    void StoreSetting(SettingTrigger trigger, bool value);
    // The radio buttons' own write, the other way round: a table that cannot
    // be opened goes unreported, a write that fails is reported.
    void StoreSendMode(SettingTrigger trigger, bool value);

  private:
    store::RecordStore& store_;
    app::OsServices& os_;
};

}  // namespace tovanel::settings
