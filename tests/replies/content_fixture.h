// A scratch working directory with a real content table, made with the store,
// and the fakes the reply operations run against.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/settings_fixture.h"
#include "replies/content_table.h"
#include "replies/reply_library.h"
#include "replies/reply_row.h"
#include "replies/fakes.h"
#include "store/file_port.h"
#include "store/record_store.h"

namespace tovanel::replies::testing {

using Records = std::vector<std::pair<std::string, std::string>>;  // hotkey, content

class ContentFixture : public ::testing::Test {
  protected:
    ContentFixture() : fs_(store::MakeOsFileSystem()), store_(*fs_) {}

    // "内容.RTB" with a fixed-width hotkey field and a long-text content field.
    void MakeContentTable(const Records& records) {
        const std::vector<store::FieldInfo> fields = {{kHotkeyField, store::kFixedText, 0, 8},
                                                      {kContentField, store::kLongText, 0, 0}};
        ASSERT_EQ(store::CreateTable(*fs_, "内容.RTB", kContentTablePassword, fields), 0);
        ASSERT_TRUE(store_.OpenTable(kContentTableName, kContentTablePassword));
        for (const auto& [hotkey, content] : records) {
            ASSERT_TRUE(store_.AddRecord({store::Value{hotkey}, store::Value{content}}));
        }
        store_.CloseTable();
    }

    Records StoredRecords() {
        std::vector<ReplyRow> rows;
        EXPECT_TRUE(ReadReplyRecords(store_, &rows));
        Records records;
        for (const ReplyRow& row : rows) records.emplace_back(row.key, row.text);
        return records;
    }

    // The table file made unopenable: the wrong password's table takes its place.
    void SpoilContentTable() {
        std::filesystem::remove("内容.RTB");
        std::filesystem::remove("内容.RTL");
        const std::vector<store::FieldInfo> fields = {{kHotkeyField, store::kFixedText, 0, 8},
                                                      {kContentField, store::kLongText, 0, 0}};
        ASSERT_EQ(store::CreateTable(*fs_, "内容.RTB", "other", fields), 0);
    }

    app::testing::ScratchDirectory scratch_;
    std::unique_ptr<store::FileSystem> fs_;
    store::RecordStore store_;
    FakeList list_;
    FakeFolder folder_;
    FakeMessages messages_;
    ReplyLibrary library_{store_, list_, folder_, messages_};
};

inline FakeMessages::Shown Warning(const std::string& text) {
    return {text, FakeMessages::Icon::kWarning};
}
inline FakeMessages::Shown Error(const std::string& text) {
    return {text, FakeMessages::Icon::kError};
}
inline FakeMessages::Shown Information(const std::string& text) {
    return {text, FakeMessages::Icon::kInformation};
}

}  // namespace tovanel::replies::testing
