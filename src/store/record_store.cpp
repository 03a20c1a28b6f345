// The registry of open tables and the reading side of the record store.
#include "store/record_store.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "store/error_codes.h"
#include "store/long_text.h"
#include "store/table.h"

namespace tovanel::store {

using namespace format;

namespace {

thread_local int t_last_error = 0;

// Long waits only for the record count: readers poll it between records.
constexpr uint32_t kCountWaitMs = 2000;

bool EqualFieldName(const FieldInfo& field, const std::string& name) {
    if (field.name.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (fold(field.name[i]) != fold(name[i])) return false;
    }
    return true;
}

Value EmptyValue(const FieldInfo& field) {
    if (field.type == kLogical) return false;
    return std::string();
}

}  // namespace

int LastError() {
    return t_last_error;
}
bool SetLastError(int code) {
    t_last_error = code;
    return code == 0;
}

RecordStore::RecordStore(FileSystem& fs, FatalHandler on_fatal)
    : fs_(fs), on_fatal_(std::move(on_fatal)) {}

RecordStore::~RecordStore() = default;

Table* RecordStore::Current() {
    return current_ >= 0 ? tables_[current_].get() : nullptr;
}

void RecordStore::Fatal(const std::string& message) {
    if (on_fatal_) {
        on_fatal_(message);
    } else {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    std::exit(-1);
}

bool RecordStore::OpenTable(const std::string& name, const std::string& password) {
    SetLastError(0);
    if (name.empty()) return SetLastError(err::kNotFound);
    try {
        std::string full;
        if (int code = fs_.FullPath(WithDefaultExtension(fs_, name), &full); code != 0)
            return SetLastError(code);
        for (const auto& open : tables_)
            if (SamePath(fs_, open->full_path, full)) return SetLastError(err::kAlreadyOpen);
        std::unique_ptr<Table> table;
        if (int code = OpenTableFiles(fs_, full, password, &table); code != 0)
            return SetLastError(code);
        tables_.push_back(std::move(table));
        current_ = static_cast<int>(tables_.size()) - 1;
        return true;
    } catch (const std::exception&) {
        return SetLastError(err::kOpenUnexpected);
    }
}

void RecordStore::CloseTable() {
    SetLastError(0);
    if (current_ < 0) return;
    // Destroying the table releases its locks, then closes its files.
    tables_.erase(tables_.begin() + current_);
    current_ = -1;
}

void RecordStore::GoToFirstRecord() {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) {
        SetLastError(err::kNoCurrentTable);
        return;
    }
    table->cursor = 0;
}

namespace {

int ReadCount(Table& table, uint32_t wait_ms, int32_t* count) {
    *count = 0;
    ByteLock lock(table.file->locks(), kCountOffset, wait_ms);
    if (lock.code() != 0) return lock.code();
    uint8_t bytes[8];
    if (int code = table.file->ReadExact(kCountOffset, bytes, 8, err::kShortCountRead); code != 0)
        return code;
    *count = std::max(0, GetI32(bytes));
    return 0;
}

}  // namespace

int32_t RecordStore::GetRecordCount() {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable), 0;
    int32_t count = 0;
    const int code = ReadCount(*table, kCountWaitMs, &count);
    SetLastError(code);
    return code == 0 ? count : 0;
}

bool RecordStore::SkipRecords(int32_t n) {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    if (n == 0) return true;
    int32_t count = 0;
    if (int code = ReadCount(*table, kCountWaitMs, &count); code != 0) return SetLastError(code);
    int32_t& cursor = table->cursor;
    if (n > 0) {
        if (count == 0 || cursor >= count) return SetLastError(err::kSkipAfterLast);
        cursor = static_cast<int32_t>(std::min<int64_t>(count, int64_t(cursor) + n));
    } else {
        if (count == 0 || cursor < 0) return SetLastError(err::kSkipBeforeFirst);
        const int64_t moved = int64_t(cursor) + n;
        cursor = static_cast<int32_t>(std::max<int64_t>(-1, std::min<int64_t>(count, moved)));
    }
    return true;
}

namespace {

int ReadValue(Table& table, const FieldInfo& field, Value* value) {
    if (table.cursor < 0) return err::kNoCurrentRecord;
    ByteLock lock(table.file->locks(), table.RecordOffset(table.cursor));
    if (lock.code() != 0) return lock.code();
    // A read that finds no byte at all stands at or past the end of the file;
    // this spares a size query on every field read.
    const int64_t position = table.RecordOffset(table.cursor) + field.offset;
    const int32_t stored = FieldSize(field.type, field.width);
    std::string bytes(stored, '\0');
    int32_t done = 0;
    if (int code = table.file->Read(position, bytes.data(), stored, &done); code != 0) return code;
    if (done == 0) return err::kBeyondEnd;
    if (done < stored) return err::kShortFieldRead;
    switch (field.type) {
        case kLogical:
            *value = bytes[0] != 0;
            return 0;
        case kFixedText:
            *value = std::string(bytes.c_str());
            return 0;
        case kByteArray:
        case kLongText: {
            std::string text;
            LongTextFile long_text(*table.long_file);
            if (int code = long_text.Read(GetI32(reinterpret_cast<uint8_t*>(bytes.data())), &text);
                code != 0)
                return code;
            if (field.type == kLongText) text.resize(std::strlen(text.c_str()));
            *value = std::move(text);
            return 0;
        }
        default:
            // Numeric and date kinds are not used by this system.
            *value = std::string();
            return 0;
    }
}

}  // namespace

Value RecordStore::ReadField(const std::string& name) {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) Fatal("ReadField: no table is open.");
    const FieldInfo* field = nullptr;
    for (const FieldInfo& f : table->fields) {
        if (EqualFieldName(f, name)) {
            field = &f;
            break;
        }
    }
    if (field == nullptr)
        Fatal("ReadField: the table " + table->short_name + " has no field " + name + ".");
    Value value = EmptyValue(*field);
    int code = 0;
    try {
        code = ReadValue(*table, *field, &value);
    } catch (const std::bad_alloc&) {
        code = err::kNoMemory;
    }
    if (code != 0) value = EmptyValue(*field);
    SetLastError(code);
    return value;
}

bool RecordStore::HasCurrentTable() const {
    return current_ >= 0;
}

int32_t RecordStore::Cursor() const {
    return current_ >= 0 ? tables_[current_]->cursor : -1;
}

const std::vector<FieldInfo>& RecordStore::Fields() const {
    static const std::vector<FieldInfo> kNone;
    return current_ >= 0 ? tables_[current_]->fields : kNone;
}

bool RecordStore::ReadRecordNumber(int32_t* number) {
    SetLastError(0);
    *number = 0;
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    if (table->cursor < 0) return SetLastError(err::kNoCurrentRecord);
    ByteLock lock(table->file->locks(), table->RecordOffset(table->cursor));
    if (lock.code() != 0) return SetLastError(lock.code());
    int64_t size = 0;
    if (int code = table->file->Size(&size); code != 0) return SetLastError(code);
    if (table->RecordOffset(table->cursor) >= size) return SetLastError(err::kNoCurrentRecord);
    uint8_t bytes[4];
    if (int code = table->file->ReadExact(table->RecordOffset(table->cursor), bytes, 4,
                                          err::kShortRecordRead);
        code != 0)
        return SetLastError(code);
    *number = GetI32(bytes);
    return true;
}

}  // namespace tovanel::store
