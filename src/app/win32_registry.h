// The registry on Win32, for the Run value.
#pragma once

#include "app/autostart.h"

namespace tovanel::app {

class Win32Registry final : public Registry {
  public:
    bool SetValue(RegistryRoot root, const std::string& key, const std::string& name, uint32_t type,
                  const std::string& bytes) override;
    bool DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;
    bool DeleteKey(RegistryRoot root, const std::string& path) override;
};

}  // namespace tovanel::app
