// The content table: its name and fields, in field order (writes go by
// position). It shares the settings table's password.
#pragma once

#include "settings/settings_table.h"

namespace tovanel::replies {

inline constexpr const char* kContentTableName = "内容";
inline constexpr const char* kContentTablePassword = settings::kTablePassword;

// Field 1 and field 2.
inline constexpr const char* kHotkeyField = "快捷键";
inline constexpr const char* kContentField = "内容";

}  // namespace tovanel::replies
