#include "app/autostart.h"

namespace tovanel::app {

namespace {

constexpr RegistryRoot kRoots[] = {RegistryRoot::kLocalMachine, RegistryRoot::kCurrentUser};

void DeleteRunValueUnder(Registry& registry, RegistryRoot root) {
    if (registry.DeleteValue(root, kRunKeyPath, kRunValueName)) return;
    // As the value's full path names it: removes a subkey of that name, if any.
    registry.DeleteKey(root, std::string(kRunKeyPath) + "\\" + kRunValueName);
}

}  // namespace

std::string RunValueData(const std::string& program_folder) {
    return "\"" + program_folder + "\\" + kProgramFileName + "\"";
}

bool SetRunValue(Registry& registry, const std::string& data) {
    // REG_SZ data is stored with its terminating zero.
    const std::string bytes = data + '\0';
    for (RegistryRoot root : kRoots) {
        if (registry.SetValue(root, kRunKeyPath, kRunValueName, kRegistryStringType, bytes)) {
            return true;
        }
    }
    return false;
}

void DeleteRunValue(Registry& registry) {
    for (RegistryRoot root : kRoots) DeleteRunValueUnder(registry, root);
}

void Autostart::ToggleAutostart() {
    if (state_.autostart_flag == 1) {
        DeleteRunValue(registry_);
        state_.autostart_flag = 0;
        panel_.SetMenuChecked(MenuItem::kAutostart, false);
    } else {
        SetRunValue(registry_, RunValueData(program_folder_));
        state_.autostart_flag = 1;
        panel_.SetMenuChecked(MenuItem::kAutostart, true);
    }
    writer_.StoreSetting(settings::SettingTrigger::kToggleAutostart, state_.autostart_flag == 1);
}

}  // namespace tovanel::app
