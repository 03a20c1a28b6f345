// A scratch working directory holding a settings table made with the store,
// so start-up reads real table files as the program does.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "settings/settings_table.h"
#include "store/file_port.h"
#include "store/record_store.h"

namespace tovanel::app::testing {

// The five stored logicals, in field order.
using FiveSettings = std::array<bool, 5>;

class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovanel-app-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

inline std::vector<store::FieldInfo> SettingsSchema() {
    std::vector<store::FieldInfo> fields;
    int32_t offset = 4;
    for (const char* name : settings::kSettingFieldNames) {
        fields.push_back({name, store::kLogical, offset++, 0});
    }
    return fields;
}

// Creates "设置.RTB" in the working directory; with `record`, adds its one record.
inline void MakeSettingsTable(store::FileSystem& fs, const std::optional<FiveSettings>& record,
                              const std::string& password = settings::kTablePassword,
                              std::vector<store::FieldInfo> fields = SettingsSchema()) {
    ASSERT_EQ(store::CreateTable(fs, "设置.RTB", password, fields), 0);
    if (!record) return;
    store::RecordStore store(fs);
    ASSERT_TRUE(store.OpenTable(settings::kSettingsTableName, password));
    store::Values values;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].type == store::kLogical) {
            values.emplace_back(store::Value{(*record)[i]});
        } else {
            values.emplace_back(store::Value{std::string("1")});
        }
    }
    ASSERT_TRUE(store.AddRecord(values));
    store.CloseTable();
}

}  // namespace tovanel::app::testing
