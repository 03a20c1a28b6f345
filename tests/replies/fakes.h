// Fakes of the reply library's ports. They keep what a person would see: the
// list's rows and selection, the folder's files, the message boxes shown.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "replies/attachment_folder.h"
#include "replies/reply_file_ports.h"
#include "replies/reply_list_view.h"
#include "replies/user_messages.h"

namespace tovanel::replies::testing {

class FakeList : public ReplyListView {
  public:
    int RowCount() const override { return static_cast<int>(rows.size()); }
    ReplyRow Row(int index) const override {
        if (index < 0 || index >= RowCount()) return {};
        return rows[static_cast<size_t>(index)].row;
    }
    int SelectedRow() const override { return selected; }
    void SetSelectedRow(int index) override { selected = index; }
    void ReplaceRows(std::vector<ListedRow> replacement) override {
        rows = std::move(replacement);
        selected = -1;
        ++refills;
    }
    void AppendRow(ListedRow row) override { rows.push_back(std::move(row)); }

    // Column 0 and column 1 of every row, for comparisons.
    std::vector<std::pair<std::string, std::string>> Columns() const {
        std::vector<std::pair<std::string, std::string>> columns;
        for (const ListedRow& r : rows) columns.emplace_back(r.row.key, r.row.text);
        return columns;
    }
    // Selects the first row with this column 1.
    void Select(const std::string& text) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].row.text == text) selected = static_cast<int>(i);
        }
    }

    std::vector<ListedRow> rows;
    int selected = -1;
    int refills = 0;
};

// Files by name, listed in insertion order as a directory enumeration would.
class FakeFolder : public AttachmentFolder {
  public:
    static constexpr const char* kPath = "C:\\Velquin\\fi\\";

    std::vector<std::string> ListFolderFiles() override {
        std::vector<std::string> paths;
        for (const std::string& name : order) paths.push_back(kPath + name);
        return paths;
    }
    bool IsFolder(const std::string& path) override { return folders.count(path) != 0; }
    bool CopyIn(const std::string& source, const std::string& name) override {
        copies.emplace_back(source, name);
        const auto it = outside.find(source);
        if (it == outside.end()) return false;
        Put(name, it->second);
        return true;
    }
    bool Remove(const std::string& name) override {
        removed.push_back(name);
        if (files.erase(name) == 0) return false;
        order.erase(std::find(order.begin(), order.end(), name));
        return true;
    }

    void Put(const std::string& name, const std::string& content) {
        if (files.count(name) == 0) order.push_back(name);
        files[name] = content;
    }

    std::map<std::string, std::string> files;  // in the folder, by name
    std::vector<std::string> order;
    std::map<std::string, std::string> outside;  // droppable files, by full path
    std::set<std::string> folders;               // droppable folders, by full path
    std::vector<std::pair<std::string, std::string>> copies;
    std::vector<std::string> removed;
};

class FakeMessages : public UserMessages {
  public:
    enum class Icon { kError, kWarning, kInformation };
    struct Shown {
        std::string text;
        Icon icon;
        bool operator==(const Shown& other) const {
            return text == other.text && icon == other.icon;
        }
    };
    void Error(const std::string& text) override { shown.push_back({text, Icon::kError}); }
    void Warning(const std::string& text) override { shown.push_back({text, Icon::kWarning}); }
    void Information(const std::string& text) override {
        shown.push_back({text, Icon::kInformation});
    }
    std::vector<Shown> shown;
};

class FakeDialog : public ReplyFileDialog {
  public:
    std::optional<std::string> ChooseFileToOpen() override { return Answer(); }
    std::optional<std::string> ChooseFileToSave() override { return Answer(); }
    std::optional<std::string> answer;  // nothing: the user cancels
    int shown = 0;

  private:
    std::optional<std::string> Answer() {
        ++shown;
        return answer;
    }
};

class FakeTextFiles : public TextFiles {
  public:
    bool ReadAll(const std::string& path, std::string* bytes) override {
        const auto it = files.find(path);
        if (it == files.end() || unreadable.count(path) != 0) return false;
        *bytes = it->second;
        return true;
    }
    bool WriteAll(const std::string& path, const std::string& bytes) override {
        if (unwritable.count(path) != 0) return false;
        files[path] = bytes;
        return true;
    }
    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
};

}  // namespace tovanel::replies::testing
