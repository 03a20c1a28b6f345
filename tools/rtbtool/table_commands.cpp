#include "table_commands.h"

#include <memory>
#include <optional>
#include <set>

#include "error_text.h"
#include "json_line.h"
#include "store/record_store.h"
#include "text_codec.h"

namespace tovanel::rtbtool {
namespace {

using store::FieldInfo;
using store::RecordStore;

constexpr size_t kMaxFieldNameBytes = 16;

int UsageError(ToolContext& context, const std::string& message) {
    context.err << "rtbtool: " << message << "\n";
    return kExitUsage;
}

int StoreError(ToolContext& context, const std::string& what, int code) {
    context.err << "rtbtool: " << what << ": " << DescribeStoreError(code) << "\n";
    return kExitStoreError;
}

// The converted path and password a command needs before touching the store.
struct TableRef {
    std::string path;
    std::string password;
};

bool ResolveTable(const Command& command, ToolContext& context, TableRef* ref) {
    if (!context.to_native_path(command.table, &ref->path)) {
        UsageError(context, "the table name '" + command.table +
                                "' is not valid UTF-8 or cannot be written in this system's "
                                "code page");
        return false;
    }
    if (!Utf8ToGbk(command.password, &ref->password)) {
        UsageError(context, "the password is not valid UTF-8 or has characters GBK cannot hold");
        return false;
    }
    return true;
}

bool ConvertFieldSpecs(const Command& command, ToolContext& context,
                       std::vector<FieldInfo>* fields) {
    for (const FieldSpec& spec : command.fields) {
        FieldInfo info;
        info.type = spec.type;
        info.width = spec.width;
        if (!Utf8ToGbk(spec.name, &info.name)) {
            UsageError(context, "field name '" + spec.name +
                                    "' is not valid UTF-8 or has characters GBK cannot hold");
            return false;
        }
        if (info.name.size() > kMaxFieldNameBytes) {
            UsageError(context, "field name '" + spec.name + "' is longer than " +
                                    std::to_string(kMaxFieldNameBytes) + " bytes in GBK");
            return false;
        }
        for (const FieldInfo& earlier : *fields) {
            if (GbkNamesEqual(earlier.name, info.name)) {
                UsageError(context, "field name '" + spec.name + "' is given twice");
                return false;
            }
        }
        fields->push_back(info);
    }
    return true;
}

int Create(const Command& command, ToolContext& context) {
    TableRef ref;
    std::vector<FieldInfo> fields;
    if (!ResolveTable(command, context, &ref) || !ConvertFieldSpecs(command, context, &fields)) {
        return kExitUsage;
    }
    const std::string path = WithTableExtension(ref.path, context.fs);
    std::unique_ptr<store::File> existing;
    if (context.fs.Open(path, &existing) == 0) {
        return UsageError(context, "'" + command.table + "' already exists; remove it first");
    }
    const int code = store::CreateTable(context.fs, path, ref.password, fields);
    if (code != 0) return StoreError(context, "cannot create '" + command.table + "'", code);
    return kExitOk;
}

// Opens the command's table in `store`, reporting failures.
int OpenForCommand(const Command& command, ToolContext& context, RecordStore& store) {
    TableRef ref;
    if (!ResolveTable(command, context, &ref)) return kExitUsage;
    if (!store.OpenTable(ref.path, ref.password)) {
        return StoreError(context, "cannot open '" + command.table + "'", store::LastError());
    }
    return kExitOk;
}

bool AppendField(const FieldInfo& field, RecordStore& store, JsonLine* line) {
    const std::string key = GbkToUtf8(field.name);
    if (field.type != store::kLogical && field.type != store::kFixedText &&
        field.type != store::kLongText && field.type != store::kByteArray) {
        line->AddNull(key);  // kinds this system never stores
        return true;
    }
    const store::Value value = store.ReadField(field.name);
    if (store::LastError() != 0) return false;
    if (const bool* flag = std::get_if<bool>(&value)) {
        line->AddBool(key, *flag);
    } else {
        line->AddString(key, GbkToUtf8(std::get<std::string>(value)));
    }
    return true;
}

int Dump(const Command& command, ToolContext& context) {
    RecordStore store(context.fs);
    if (int rc = OpenForCommand(command, context, store)) return rc;
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    if (store::LastError() != 0) {
        return StoreError(context, "cannot count the records", store::LastError());
    }
    for (int32_t i = 0; i < count; ++i) {
        const std::string where = "record " + std::to_string(i + 1);
        int32_t number = 0;
        if (!store.ReadRecordNumber(&number)) {
            return StoreError(context, "cannot read " + where, store::LastError());
        }
        JsonLine line;
        line.AddNumber("no", number);
        for (const FieldInfo& field : store.Fields()) {
            if (!AppendField(field, store, &line)) {
                return StoreError(
                    context, "cannot read " + where + ", field '" + GbkToUtf8(field.name) + "'",
                    store::LastError());
            }
        }
        context.out << line.Finish();
        if (!store.SkipRecords(1)) {
            return StoreError(context, "cannot move past " + where, store::LastError());
        }
    }
    context.out.flush();
    store.CloseTable();
    return kExitOk;
}

int FindField(const std::vector<FieldInfo>& fields, const std::string& gbk_name) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (GbkNamesEqual(fields[i].name, gbk_name)) return static_cast<int>(i);
    }
    return -1;
}

// The value for one NAME=VALUE, or an error sentence.
bool MakeValue(const FieldInfo& field, const Assignment& assignment, store::Value* value,
               std::string* error) {
    const std::string quoted = "field '" + assignment.name + "'";
    if (field.type == store::kLogical) {
        if (assignment.value != "true" && assignment.value != "false") {
            *error = quoted + " is logical: give true or false, not '" + assignment.value + "'";
            return false;
        }
        *value = assignment.value == "true";
        return true;
    }
    if (field.type != store::kFixedText && field.type != store::kLongText) {
        *error = quoted + " has type " + std::to_string(field.type) + ", which rtbtool cannot set";
        return false;
    }
    std::string gbk;
    if (!Utf8ToGbk(assignment.value, &gbk)) {
        *error = "the value of " + quoted + " is not valid UTF-8 or has characters GBK cannot hold";
        return false;
    }
    if (gbk.find('\0') != std::string::npos) {
        *error = "the value of " + quoted + " holds a zero byte";
        return false;
    }
    if (field.type == store::kFixedText && gbk.size() > static_cast<size_t>(field.width)) {
        *error = "the value of " + quoted + " has " + std::to_string(gbk.size()) +
                 " bytes in GBK, but the field holds " + std::to_string(field.width) +
                 " (a Chinese character takes 2)";
        return false;
    }
    *value = std::move(gbk);
    return true;
}

bool BuildValues(const Command& command, const std::vector<FieldInfo>& fields,
                 store::Values* values, std::string* error) {
    values->assign(fields.size(), std::nullopt);
    for (const Assignment& assignment : command.assignments) {
        std::string gbk_name;
        const int index = Utf8ToGbk(assignment.name, &gbk_name) ? FindField(fields, gbk_name) : -1;
        if (index < 0) {
            *error = "the table has no field '" + assignment.name + "'";
            return false;
        }
        if ((*values)[index]) {
            *error = "field '" + assignment.name + "' is given twice";
            return false;
        }
        store::Value value;
        if (!MakeValue(fields[index], assignment, &value, error)) return false;
        (*values)[index] = std::move(value);
    }
    return true;
}

int Add(const Command& command, ToolContext& context) {
    RecordStore store(context.fs);
    if (int rc = OpenForCommand(command, context, store)) return rc;
    store::Values values;
    std::string error;
    if (!BuildValues(command, store.Fields(), &values, &error)) {
        store.CloseTable();
        return UsageError(context, error + "; nothing was added");
    }
    if (!store.AddRecord(values)) {
        return StoreError(context, "cannot add the record", store::LastError());
    }
    store.CloseTable();
    return kExitOk;
}

}  // namespace

std::string WithTableExtension(const std::string& path, const store::FileSystem& fs) {
    // Scan as double-byte text: a trail byte is never a separator or a dot.
    size_t last_sep = std::string::npos;
    size_t last_dot = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (fs.IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
            ++i;
        } else if (fs.IsSeparator(c)) {
            last_sep = i;
        } else if (c == '.') {
            last_dot = i;
        }
    }
    const bool has_dot =
        last_dot != std::string::npos && (last_sep == std::string::npos || last_dot > last_sep);
    if (!has_dot) return path + ".RTB";
    if (last_dot + 1 == path.size()) return path + "RTB";
    return path;
}

int RunCommand(const Command& command, ToolContext& context) {
    switch (command.kind) {
        case CommandKind::kHelp:
            context.out << kUsage;
            return kExitOk;
        case CommandKind::kCreate:
            return Create(command, context);
        case CommandKind::kDump:
            return Dump(command, context);
        case CommandKind::kAdd:
            return Add(command, context);
    }
    return kExitUsage;
}

}  // namespace tovanel::rtbtool
