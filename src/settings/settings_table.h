// The settings table: its name, password and the five logical fields, in
// field order (StoreSetting writes them by these positions).
#pragma once

#include <array>
#include <string>

#include "store/record_store.h"

namespace tovanel::settings {

inline constexpr const char* kSettingsTableName = "设置";
inline constexpr const char* kTablePassword = "240513";

// Field names by position 1 … 5.
inline constexpr std::array<const char*, 5> kSettingFieldNames = {
    "粘贴或发送", "托盘图标", "隐藏运行", "跟随微信", "开机启动"};

// Field positions, as the switches write them.
enum SettingPosition : int {
    kPasteOrSendPosition = 1,  // "粘贴或发送": true = paste and send
    kTrayIconPosition,         // "托盘图标"
    kHiddenPosition,           // "隐藏运行"
    kFollowChatPosition,       // "跟随微信"
    kAutostartPosition,        // "开机启动"
};

struct StoredSettings {
    bool paste_and_send = false;
    bool tray_icon = false;
    bool hidden = false;
    bool follow_chat = false;
    bool autostart = false;
};

enum class LoadStatus {
    kLoaded,
    kCannotOpen,  // the table is missing, damaged or refuses the password
    kNotLogical,  // a field holds text: the table does not have its schema
};

struct LoadResult {
    LoadStatus status = LoadStatus::kCannotOpen;
    StoredSettings settings;
    std::string bad_field;  // with kNotLogical
};

// Opens the table, reads the five fields in field order and closes it again.
// A field without a current record reads as false.
LoadResult LoadSettings(store::RecordStore& store);

}  // namespace tovanel::settings
