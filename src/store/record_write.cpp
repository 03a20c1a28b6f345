// The writing side of the record store: modify, add, delete, purge, clear.
#include <cstring>

#include "store/error_codes.h"
#include "store/long_text.h"
#include "store/table.h"

namespace tovanel::store {

using namespace format;

namespace {

// Purge moves records in batches of this many bytes' worth of whole records.
constexpr int32_t kPurgeBatchBytes = 163840;

bool KindMatches(const FieldInfo& field, const Value& value) {
    if (field.type == kLogical) return std::holds_alternative<bool>(value);
    if (IsTextType(field.type)) return std::holds_alternative<std::string>(value);
    return false;  // numeric and date kinds take no values here
}

int CheckKinds(const Table& table, const Values& values) {
    const size_t used = std::min(table.fields.size(), values.size());
    for (size_t i = 0; i < used; ++i)
        if (values[i] && !KindMatches(table.fields[i], *values[i])) return err::kWrongKind;
    return 0;
}

// Stores the given values into a record image; a failed long-text write
// still lets the record be written, and is reported afterwards.
int StoreValues(Table& table, const Values& values, uint8_t* record) {
    int result = 0;
    const size_t used = std::min(table.fields.size(), values.size());
    for (size_t i = 0; i < used; ++i) {
        if (!values[i]) continue;
        const FieldInfo& field = table.fields[i];
        uint8_t* at = record + field.offset;
        if (field.type == kLogical) {
            *at = std::get<bool>(*values[i]) ? 1 : 0;
            continue;
        }
        const std::string& given = std::get<std::string>(*values[i]);
        // Texts end at their first zero byte; byte arrays keep every byte.
        const size_t length = field.type == kByteArray ? given.size() : std::strlen(given.c_str());
        if (field.type == kFixedText) {
            const size_t stored = std::min<size_t>(field.width, length + 1);
            std::memcpy(at, given.data(), std::min(stored, length));
            if (stored > length) at[length] = 0;
            continue;
        }
        int32_t first = 0;
        LongTextFile long_text(*table.long_file);
        const int code = long_text.Write(GetI32(at), given.substr(0, length), &first);
        PutI32(at, first);
        if (code != 0 && result == 0) result = code;
    }
    return result;
}

// Takes the record lock of the cursor's record and checks it is in the file.
int LockCurrentRecord(Table& table, std::optional<ByteLock>* lock) {
    if (table.cursor < 0) return err::kNoCurrentRecord;
    lock->emplace(table.file->locks(), table.RecordOffset(table.cursor));
    if ((*lock)->code() != 0) return (*lock)->code();
    int64_t size = 0;
    if (int code = table.file->Size(&size); code != 0) return code;
    return table.RecordOffset(table.cursor) >= size ? err::kNoCurrentRecord : 0;
}

int Modify(Table& table, const Values& values) {
    if (table.cursor < 0) return err::kNoCurrentRecord;
    if (int code = CheckKinds(table, values); code != 0) return code;
    std::optional<ByteLock> lock;
    if (int code = LockCurrentRecord(table, &lock); code != 0) return code;
    std::vector<uint8_t> record(table.record_size);
    const int64_t at = table.RecordOffset(table.cursor);
    if (int code =
            table.file->ReadExact(at, record.data(), table.record_size, err::kShortRecordRead);
        code != 0)
        return code;
    const int stored = StoreValues(table, values, record.data());
    // The record number stays as it is, so a deleted mark survives.
    if (int code = table.file->Write(at + 4, record.data() + 4, table.record_size - 4); code != 0)
        return code;
    return stored;
}

int Add(Table& table, const Values& values) {
    if (int code = CheckKinds(table, values); code != 0) return code;
    ByteLock header_lock(table.file->locks(), kCountOffset);
    if (header_lock.code() != 0) return header_lock.code();
    uint8_t counts[8];
    if (int code = table.file->ReadExact(kCountOffset, counts, 8, err::kShortCountRead); code != 0)
        return code;
    const int32_t count = std::max(0, GetI32(counts));
    const int32_t number = std::max(1, GetI32(counts + 4));
    // Neither counter may wrap round into the deleted-mark range.
    if (count == INT32_MAX || number == INT32_MAX) return err::kUnexpected;
    // The new record goes right after the last counted one; a count beyond
    // the file's end is damage, and writing there would leave a hole.
    int64_t size = 0;
    if (int code = table.file->Size(&size); code != 0) return code;
    if (table.RecordOffset(count) > size) return err::kBadHeader;
    ByteLock record_lock(table.file->locks(), table.RecordOffset(count));
    if (record_lock.code() != 0) return record_lock.code();
    std::vector<uint8_t> record(table.record_size, 0);
    PutI32(record.data(), number);
    const int stored = StoreValues(table, values, record.data());
    if (int code = table.file->Write(table.RecordOffset(count), record.data(), table.record_size);
        code != 0)
        return code;
    PutI32(counts, count + 1);
    PutI32(counts + 4, number + 1);
    if (int code = table.file->Write(kCountOffset, counts, 8); code != 0) return code;
    table.cursor = count;
    return stored;
}

int Delete(Table& table) {
    std::optional<ByteLock> lock;
    if (int code = LockCurrentRecord(table, &lock); code != 0) return code;
    const int64_t at = table.RecordOffset(table.cursor);
    uint8_t bytes[4];
    if (int code = table.file->ReadExact(at, bytes, 4, err::kShortRecordRead); code != 0)
        return code;
    const int32_t number = GetI32(bytes);
    if (number <= 0) return 0;
    PutI32(bytes, -number);
    return table.file->Write(at, bytes, 4);
}

// Frees the long-text values of a record that is being purged. The record's
// pointers are cleared on disk first: a purge cut short (a crash) must never
// leave a marked record whose next purge frees the same blocks twice.
int FreeLongValues(Table& table, int64_t at, uint8_t* record) {
    std::vector<int32_t> chains;
    for (const FieldInfo& field : table.fields) {
        if (!IsLongType(field.type)) continue;
        const int32_t first = GetI32(record + field.offset);
        if (first == 0) continue;
        chains.push_back(first);
        PutI32(record + field.offset, 0);
    }
    if (chains.empty()) return 0;
    if (int code = table.file->Write(at, record, table.record_size); code != 0) return code;
    LongTextFile long_text(*table.long_file);
    int result = 0;
    for (int32_t first : chains) {
        const int code = long_text.Free(first);
        if (result == 0) result = code;
    }
    return result;
}

int Purge(Table& table) {
    WholeLock lock(table.file->locks());
    if (lock.code() != 0) return lock.code();
    uint8_t counts[4];
    if (int code = table.file->ReadExact(kCountOffset, counts, 4, err::kShortCountRead); code != 0)
        return code;
    const int32_t count = std::max(0, GetI32(counts));
    const int32_t batch = std::max(1, kPurgeBatchBytes / table.record_size);
    const size_t r = static_cast<size_t>(table.record_size);
    std::vector<uint8_t> buffer(size_t(batch) * r);
    int32_t kept = 0;  // the running write position, in records
    bool removed = false;
    int result = 0;
    for (int32_t from = 0; from < count; from += batch) {
        const int32_t n = std::min(batch, count - from);
        if (int code = table.file->ReadExact(table.RecordOffset(from), buffer.data(),
                                             int32_t(n * r), err::kShortRecordRead);
            code != 0) {
            // Records already moved down keep their copies further up, so
            // nothing is lost: the count stays as it was.
            table.cursor = 0;
            return code;
        }
        int32_t out = 0;
        for (int32_t i = 0; i < n; ++i) {
            uint8_t* record = buffer.data() + size_t(i) * r;
            if (GetI32(record) < 0) {
                const int code = FreeLongValues(table, table.RecordOffset(from + i), record);
                if (result == 0) result = code;
                removed = true;
                continue;
            }
            if (out != i) std::memmove(buffer.data() + size_t(out) * r, record, r);
            ++out;
        }
        if (removed && out > 0) {
            if (int code =
                    table.file->Write(table.RecordOffset(kept), buffer.data(), int32_t(out * r));
                code != 0) {
                table.cursor = 0;
                return code;
            }
        }
        kept += out;
    }
    if (removed) {
        PutI32(counts, kept);
        if (int code = table.file->Write(kCountOffset, counts, 4); code != 0) return code;
        if (int code = table.file->SetSize(table.RecordOffset(kept)); code != 0) return code;
    }
    table.cursor = 0;
    return result;
}

int Clear(Table& table) {
    WholeLock lock(table.file->locks());
    if (lock.code() != 0) return lock.code();
    uint8_t zero[4] = {};
    if (int code = table.file->Write(kCountOffset, zero, 4); code != 0) return code;
    if (int code = table.file->SetSize(table.data_start); code != 0) return code;
    if (table.long_file) {
        uint8_t header[12] = {};
        PutI32(header, 1);  // block count: block 0 alone; no free blocks
        if (int code = table.long_file->Write(kBlockCountOffset, header, 12); code != 0)
            return code;
        if (int code = table.long_file->SetSize(kBlockSize); code != 0) return code;
    }
    table.cursor = 0;
    return 0;
}

}  // namespace

bool RecordStore::ModifyRecord(const Values& values) {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    return SetLastError(Modify(*table, values));
}

bool RecordStore::AddRecord(const Values& values) {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    return SetLastError(Add(*table, values));
}

bool RecordStore::DeleteRecord() {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    return SetLastError(Delete(*table));
}

bool RecordStore::PurgeDeleted() {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    return SetLastError(Purge(*table));
}

bool RecordStore::ClearTable() {
    SetLastError(0);
    Table* table = Current();
    if (table == nullptr) return SetLastError(err::kNoCurrentTable);
    return SetLastError(Clear(*table));
}

}  // namespace tovanel::store
