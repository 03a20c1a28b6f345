// Start with Windows: the tray item "开机启动" and the Run value it writes.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "app/panel_controls.h"
#include "settings/store_setting.h"

namespace tovanel::app {

inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Velquin";
// The value names this file whatever the running executable is called.
inline constexpr const char* kProgramFileName = "Velquin.exe";
inline constexpr uint32_t kRegistryStringType = 1;  // REG_SZ

enum class RegistryRoot { kLocalMachine, kCurrentUser };

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens `key` for writing, creating it when that fails, and sets one
    // value to `bytes` (its size is bytes.size()). False when no key could be
    // opened or the value was not set.
    virtual bool SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                          uint32_t type, const std::string& bytes) = 0;
    // Opens `key` for writing and deletes one value; false when either failed.
    virtual bool DeleteValue(RegistryRoot root, const std::string& key,
                             const std::string& name) = 0;
    // Deletes the subkey `path` if it exists and has no subkeys of its own.
    virtual bool DeleteKey(RegistryRoot root, const std::string& path) = 0;
};

// The value's text: the program's folder (no trailing backslash) and the
// fixed file name, in double quotes. Unquoted, a folder such as
// "C:\Program Files\…" would let Windows start "C:\Program.exe" at logon.
std::string RunValueData(const std::string& program_folder);

// Writes the value under the machine's Run key; without the rights for that,
// under the user's, which Windows runs at logon as well. False when neither
// could be written.
bool SetRunValue(Registry& registry, const std::string& data);
// Deletes the value from both places.
void DeleteRunValue(Registry& registry);

class Autostart {
  public:
    Autostart(AppState& state, PanelControls& panel, Registry& registry,
              settings::SettingsWriter& writer, std::string program_folder)
        : state_(state),
          panel_(panel),
          registry_(registry),
          writer_(writer),
          program_folder_(std::move(program_folder)) {}

    // Handler of the tray item "开机启动".
    void ToggleAutostart();

  private:
    AppState& state_;
    PanelControls& panel_;
    Registry& registry_;
    settings::SettingsWriter& writer_;
    std::string program_folder_;
};

}  // namespace tovanel::app
