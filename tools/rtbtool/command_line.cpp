#include "command_line.h"

#include <cstdlib>

#include "store/record_store.h"

namespace tovanel::rtbtool {
namespace {

constexpr int32_t kMaxWidth = 65535;

bool ParseWidth(const std::string& text, int32_t* width) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value < 1 || value > kMaxWidth) return false;
    *width = static_cast<int32_t>(value);
    return true;
}

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) return parts;
        start = colon + 1;
    }
}

bool ParseCommandWord(const std::string& word, CommandKind* kind) {
    if (word == "create")
        *kind = CommandKind::kCreate;
    else if (word == "dump")
        *kind = CommandKind::kDump;
    else if (word == "add")
        *kind = CommandKind::kAdd;
    else if (word == "help" || word == "--help" || word == "-h")
        *kind = CommandKind::kHelp;
    else
        return false;
    return true;
}

bool ParseOperand(const std::string& arg, Command* command, std::string* error) {
    if (command->table.empty()) {
        command->table = arg;
        return true;
    }
    switch (command->kind) {
        case CommandKind::kCreate: {
            FieldSpec spec;
            if (!ParseFieldSpec(arg, &spec, error)) return false;
            command->fields.push_back(spec);
            return true;
        }
        case CommandKind::kAdd: {
            const size_t eq = arg.find('=');
            if (eq == std::string::npos || eq == 0) {
                *error = "'" + arg + "' is not NAME=VALUE";
                return false;
            }
            command->assignments.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
            return true;
        }
        default:
            *error = "unexpected argument '" + arg + "'";
            return false;
    }
}

}  // namespace

// u8: this text goes to the terminal as UTF-8, not in the table code page.
const char kUsage[] =
    u8"Usage:\n"
    "  rtbtool create TABLE [--password PW] FIELD:TYPE[:WIDTH]...\n"
    "  rtbtool dump   TABLE [--password PW]\n"
    "  rtbtool add    TABLE [--password PW] NAME=VALUE...\n"
    "  rtbtool --help\n"
    "\n"
    "Makes, lists and fills the record tables (.RTB, with .RTL for long texts).\n"
    "TABLE without an extension gets \".RTB\". Without --password the table is\n"
    "unprotected; a protected table needs its password for every command.\n"
    "\n"
    "create  makes a new, empty table; it refuses to overwrite a file.\n"
    "        TYPE is logical, text:WIDTH (fixed width in bytes) or longtext.\n"
    "        Example: rtbtool create 内容 --password 240513 快捷键:text:8 内容:longtext\n"
    "dump    prints every record as one JSON object per line:\n"
    "        {\"no\": N, \"<field>\": value, ...}; records marked deleted show a\n"
    "        negative number. Texts are printed as UTF-8.\n"
    "add     appends one record. VALUE is UTF-8 text, or true/false for a logical\n"
    "        field; fields not named stay empty. Names match without regard to\n"
    "        letter case. Nothing is written when any argument is wrong.\n"
    "\n"
    "Field names and texts are stored as GBK; a field name has at most 16 bytes\n"
    "there (8 Chinese characters).\n"
    "Exit status: 0 success, 1 the store reported an error (its code is printed),\n"
    "2 the command line or a value is not usable.\n";

bool ParseFieldSpec(const std::string& text, FieldSpec* spec, std::string* error) {
    const std::vector<std::string> parts = SplitColons(text);
    const std::string quoted = "field '" + text + "'";
    if (parts.size() < 2 || parts[0].empty()) {
        *error = quoted + " is not NAME:TYPE[:WIDTH]";
        return false;
    }
    spec->name = parts[0];
    const std::string& type = parts[1];
    if (type == "logical" || type == "longtext") {
        if (parts.size() != 2) {
            *error = quoted + ": type " + type + " takes no width";
            return false;
        }
        spec->type = type == "logical" ? store::kLogical : store::kLongText;
        spec->width = type == "logical" ? 1 : 4;
        return true;
    }
    if (type == "text") {
        if (parts.size() != 3 || !ParseWidth(parts[2], &spec->width)) {
            *error = quoted + ": text needs a width from 1 to " + std::to_string(kMaxWidth) +
                     ", as in NAME:text:8";
            return false;
        }
        spec->type = store::kFixedText;
        return true;
    }
    *error = quoted + ": unknown type '" + type + "' (use logical, text or longtext)";
    return false;
}

bool ParseCommandLine(const std::vector<std::string>& args, Command* command, std::string* error) {
    *command = Command();
    if (args.empty()) {
        *error = "no command given";
        return false;
    }
    if (!ParseCommandWord(args[0], &command->kind)) {
        *error = "unknown command '" + args[0] + "'";
        return false;
    }
    if (command->kind == CommandKind::kHelp) return true;

    bool options_done = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options_done && arg == "--") {
            options_done = true;
        } else if (!options_done && arg == "--password") {
            if (i + 1 >= args.size()) {
                *error = "--password needs a value";
                return false;
            }
            command->password = args[++i];
        } else if (!options_done && arg.compare(0, 11, "--password=") == 0) {
            command->password = arg.substr(11);
        } else if (!options_done && arg == "--help") {
            command->kind = CommandKind::kHelp;
            return true;
        } else if (!options_done && arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            *error = "unknown option '" + arg + "'";
            return false;
        } else if (!ParseOperand(arg, command, error)) {
            return false;
        }
    }
    if (command->table.empty()) {
        *error = "no table named";
        return false;
    }
    if (command->kind == CommandKind::kCreate && command->fields.empty()) {
        *error = "create needs at least one FIELD:TYPE";
        return false;
    }
    if (command->kind == CommandKind::kAdd && command->assignments.empty()) {
        *error = "add needs at least one NAME=VALUE";
        return false;
    }
    return true;
}

}  // namespace tovanel::rtbtool
