// What the store keeps of one open table between operations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/path_names.h"
#include "store/record_store.h"
#include "store/store_file.h"
#include "store/table_format.h"

namespace tovanel::store {

struct Table {
    std::string full_path;
    std::string short_name;
    std::string alias;  // never set by this system
    std::unique_ptr<StoreFile> file;
    std::unique_ptr<StoreFile> long_file;  // only when a field is long text
    format::TableHeader header;            // as read at open
    std::vector<FieldInfo> fields;
    int64_t data_start = 0;
    int32_t record_size = 0;
    int32_t cursor = 0;

    int64_t RecordOffset(int32_t index) const { return data_start + int64_t(index) * record_size; }
};

// Sets this thread's error code; true when it is 0.
bool SetLastError(int code);

// Opens and accepts a table file; the out-parameter is set only on success.
int OpenTableFiles(FileSystem& fs, const std::string& full_path, const std::string& password,
                   std::unique_ptr<Table>* table);

// Table name handling: the default extension and the long-text file's name.
std::string WithDefaultExtension(const FileSystem& fs, const std::string& name);
std::string WithExtension(const FileSystem& fs, const std::string& path, const std::string& ext);
std::string ShortName(const FileSystem& fs, const std::string& path);

}  // namespace tovanel::store
