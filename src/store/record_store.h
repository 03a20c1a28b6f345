// The record store: a registry of open tables, one current, each with a
// record cursor. Every operation works on the files directly; nothing but the
// table's description and cursor is held between calls.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "store/file_port.h"

namespace tovanel::store {

// Field type codes as stored in a field descriptor.
enum FieldType : int32_t {
    kLogical = 7,
    kFixedText = 10,
    kByteArray = 11,
    kLongText = 12,
};

struct FieldInfo {
    std::string name;  // GBK bytes
    int32_t type = 0;
    int32_t offset = 0;
    int32_t width = 0;  // fixed-width text only
};

// A logical field reads as bool, a text field as its bytes.
using Value = std::variant<bool, std::string>;
// Values by position: element 0 is field 1; an empty element leaves the field alone.
using Values = std::vector<std::optional<Value>>;

// An open table's description and cursor (internal to the store).
struct Table;

// Error code of the last store operation on this thread (0: success).
int LastError();

class RecordStore {
  public:
    // Called for a fatal misuse (no current table, unknown field name) before
    // the process ends with exit code -1.
    using FatalHandler = std::function<void(const std::string& message)>;

    explicit RecordStore(FileSystem& fs, FatalHandler on_fatal = {});
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    bool OpenTable(const std::string& name, const std::string& password);
    void CloseTable();
    void GoToFirstRecord();
    int32_t GetRecordCount();
    Value ReadField(const std::string& name);
    bool SkipRecords(int32_t n = 1);
    bool ModifyRecord(const Values& values);
    bool AddRecord(const Values& values);
    bool DeleteRecord();
    bool PurgeDeleted();
    bool ClearTable();

    // Introspection for the table tool and tests.
    bool HasCurrentTable() const;
    int32_t Cursor() const;                        // -1 without a current table
    const std::vector<FieldInfo>& Fields() const;  // empty without a current table
    // The current record's stored number (negative: marked deleted).
    bool ReadRecordNumber(int32_t* number);

  private:
    Table* Current();
    [[noreturn]] void Fatal(const std::string& message);

    FileSystem& fs_;
    FatalHandler on_fatal_;
    std::vector<std::unique_ptr<Table>> tables_;
    int current_ = -1;
};

// Makes a new empty table (and its long-text file when a field needs one).
// The system itself never creates tables; the table tool and tests do.
// Returns 0 or an error code.
int CreateTable(FileSystem& fs, const std::string& path, const std::string& password,
                const std::vector<FieldInfo>& fields);

}  // namespace tovanel::store
