#include "app/win32_registry.h"

#include <windows.h>

namespace tovanel::app {

namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// An open registry key, closed on every path.
class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    // For writing; when opening fails, creates the key.
    bool OpenOrCreate(HKEY root, const std::string& path) {
        if (Open(root, path)) return true;
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                               nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    bool Open(HKEY root, const std::string& path) {
        return RegOpenKeyExA(root, path.c_str(), 0, KEY_WRITE, &key_) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

bool Win32Registry::SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                             uint32_t type, const std::string& bytes) {
    OpenKey opened;
    if (!opened.OpenOrCreate(RootKey(root), key)) return false;
    return RegSetValueExA(opened.get(), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegistryRoot root, const std::string& key,
                                const std::string& name) {
    OpenKey opened;
    if (!opened.Open(RootKey(root), key)) return false;
    return RegDeleteValueA(opened.get(), name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(RegistryRoot root, const std::string& path) {
    return RegDeleteKeyA(RootKey(root), path.c_str()) == ERROR_SUCCESS;
}

}  // namespace tovanel::app
