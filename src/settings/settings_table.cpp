#include "settings/settings_table.h"

#include <variant>

namespace tovanel::settings {

LoadResult LoadSettings(store::RecordStore& store) {
    LoadResult result;
    if (!store.OpenTable(kSettingsTableName, kTablePassword)) return result;

    bool* const targets[] = {&result.settings.paste_and_send, &result.settings.tray_icon,
                             &result.settings.hidden, &result.settings.follow_chat,
                             &result.settings.autostart};
    result.status = LoadStatus::kLoaded;
    for (size_t i = 0; i < kSettingFieldNames.size(); ++i) {
        const store::Value value = store.ReadField(kSettingFieldNames[i]);
        if (const bool* logical = std::get_if<bool>(&value)) {
            *targets[i] = *logical;
            continue;
        }
        result.status = LoadStatus::kNotLogical;
        result.bad_field = kSettingFieldNames[i];
        break;
    }
    store.CloseTable();
    return result;
}

}  // namespace tovanel::settings
