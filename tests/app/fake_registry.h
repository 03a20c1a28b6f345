// A registry of keys and values in memory, with roots that refuse writes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "app/autostart.h"
#include "fakes.h"

namespace tovanel::app::testing {

// Keys and values by root; a root not in `writable` refuses every change,
// as HKEY_LOCAL_MACHINE does for a user without administrator rights.
class FakeRegistry : public Registry {
  public:
    using Root = RegistryRoot;
    struct Stored {
        uint32_t type;
        std::string bytes;
    };
    using ValueKey = std::tuple<Root, std::string, std::string>;  // root, key, name

    bool SetValue(Root root, const std::string& key, const std::string& name, uint32_t type,
                  const std::string& bytes) override {
        calls.push_back("set " + RootName(root));
        if (!writable.count(root)) return false;
        keys.insert({root, key});
        values[{root, key, name}] = {type, bytes};
        return true;
    }
    bool DeleteValue(Root root, const std::string& key, const std::string& name) override {
        calls.push_back("delete value " + RootName(root));
        if (!writable.count(root) || !keys.count({root, key})) return false;
        return values.erase({root, key, name}) == 1;
    }
    bool DeleteKey(Root root, const std::string& path) override {
        calls.push_back("delete key " + RootName(root) + " " + path);
        return writable.count(root) && keys.erase({root, path}) == 1;
    }

    static std::string RootName(Root root) { return root == Root::kLocalMachine ? "HKLM" : "HKCU"; }

    std::set<Root> writable = {Root::kLocalMachine, Root::kCurrentUser};
    std::set<std::pair<Root, std::string>> keys;
    std::map<ValueKey, Stored> values;
    CallLog calls;
};

}  // namespace tovanel::app::testing
