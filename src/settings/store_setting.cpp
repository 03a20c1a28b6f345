#include "settings/store_setting.h"

namespace tovanel::settings {

store::Values ValuesFor(SettingTrigger trigger, bool value) {
    store::Values values(kSettingFieldNames.size());
    for (const TriggerPositions& entry : kTriggerPositions) {
        if (entry.trigger != trigger) continue;
        for (int position : entry.positions) {
            if (position != 0) values[position - 1].emplace(value);
        }
    }
    return values;
}

void SettingsWriter::StoreSetting(SettingTrigger trigger, bool value) {
    if (!store_.OpenTable(kSettingsTableName, kTablePassword)) {
        os_.ShowMessage(kCannotOpenSettings, app::kMessageCaption, app::MessageIcon::kError);
        return;
    }
    store_.ModifyRecord(ValuesFor(trigger, value));
    store_.CloseTable();
}

void SettingsWriter::StoreSendMode(SettingTrigger trigger, bool value) {
    if (!store_.OpenTable(kSettingsTableName, kTablePassword)) return;
    if (!store_.ModifyRecord(ValuesFor(trigger, value))) {
        os_.ShowMessage(kCannotModifySettings, app::kMessageCaption, app::MessageIcon::kNone);
    }
    store_.CloseTable();
}

}  // namespace tovanel::settings
