// Opens a mutated table (and long-text file) and runs every store operation
// on it. The input is the table file, optionally followed by the long-text
// file: the first "QRTL" after the table's own magic starts the latter.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "store/record_store.h"

namespace {

using tovanel::fuzz::MemoryFileSystem;
using tovanel::store::FieldInfo;
using tovanel::store::RecordStore;
using tovanel::store::Value;
using tovanel::store::Values;

constexpr int32_t kMaxWalk = 256;

void SplitInput(const uint8_t* data, size_t size, std::vector<uint8_t>* table,
                std::vector<uint8_t>* long_text, bool* has_long_text) {
    static const uint8_t kMagic[] = {'Q', 'R', 'T', 'L'};
    const uint8_t* end = data + size;
    const uint8_t* split = size > 4 ? std::search(data + 4, end, kMagic, kMagic + 4) : end;
    table->assign(data, split);
    *has_long_text = split != end;
    long_text->assign(split, end);
}

bool IsText(const FieldInfo& field) {
    return field.type == tovanel::store::kFixedText || field.type == tovanel::store::kLongText ||
           field.type == tovanel::store::kByteArray;
}

Values MakeValues(const std::vector<FieldInfo>& fields, size_t text_size, bool flag) {
    Values values;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].type == tovanel::store::kLogical) {
            values.emplace_back(Value(flag));
        } else if (IsText(fields[i])) {
            values.emplace_back(Value(std::string(text_size, static_cast<char>('a' + i % 26))));
        } else {
            values.emplace_back(std::nullopt);
        }
    }
    return values;
}

// Every value of the wrong kind: must be refused before anything is written.
Values MakeWrongValues(const std::vector<FieldInfo>& fields) {
    Values values;
    for (const FieldInfo& field : fields) {
        if (field.type == tovanel::store::kLogical)
            values.emplace_back(Value(std::string("x")));
        else if (IsText(field))
            values.emplace_back(Value(true));
        else
            values.emplace_back(std::nullopt);
    }
    return values;
}

void Walk(RecordStore& store) {
    store.GoToFirstRecord();
    const int32_t count = std::min(store.GetRecordCount(), kMaxWalk);
    const std::vector<FieldInfo> fields = store.Fields();
    for (int32_t i = 0; i <= count; ++i) {  // one step past the last, too
        int32_t number;
        store.ReadRecordNumber(&number);
        for (const FieldInfo& field : fields) store.ReadField(field.name);
        store.SkipRecords(1);
    }
}

void Exercise(RecordStore& store) {
    const std::vector<FieldInfo> fields = store.Fields();
    Walk(store);
    store.SkipRecords(-1);
    store.SkipRecords(INT32_MAX);
    store.SkipRecords(INT32_MIN);
    store.SkipRecords(-3);
    store.GoToFirstRecord();
    store.ModifyRecord(MakeValues(fields, 700, true));
    store.ModifyRecord(MakeValues(fields, 3, false));
    store.ModifyRecord(MakeWrongValues(fields));
    store.AddRecord(MakeWrongValues(fields));
    store.AddRecord(MakeValues(fields, 1001, true));
    store.DeleteRecord();
    store.GoToFirstRecord();
    store.DeleteRecord();
    store.SkipRecords(2);
    store.DeleteRecord();
    Walk(store);
    store.PurgeDeleted();
    Walk(store);
    store.ModifyRecord(MakeValues(fields, 0, false));
    store.ClearTable();
    store.AddRecord(MakeValues(fields, 501, true));
    store.AddRecord(Values());
    Walk(store);
}

void RunWithPassword(const std::vector<uint8_t>& table, const std::vector<uint8_t>& long_text,
                     bool has_long_text, const char* password) {
    MemoryFileSystem fs;
    fs.SetFile("/mem/t.RTB", table);
    if (has_long_text) fs.SetFile("/mem/t.RTL", long_text);
    // A fatal misuse would be a store fault here: only known names are read.
    RecordStore store(fs, [](const std::string&) { std::abort(); });
    if (!store.OpenTable("t", password)) return;
    if (store.OpenTable("t.RTB", password)) std::abort();  // already open
    Exercise(store);
    store.CloseTable();
    // What the store itself wrote after a clean open must open again.
    if (!store.OpenTable("t", password)) std::abort();
    Walk(store);
    store.CloseTable();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> table, long_text;
    bool has_long_text = false;
    SplitInput(data, size, &table, &long_text, &has_long_text);
    RunWithPassword(table, long_text, has_long_text, "");
    RunWithPassword(table, long_text, has_long_text, "240513");
    return 0;
}
