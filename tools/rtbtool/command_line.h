// The rtbtool command line, parsed into a command without touching any file.
// All texts here are UTF-8 as typed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovanel::rtbtool {

enum class CommandKind { kHelp, kCreate, kDump, kAdd };

struct FieldSpec {
    std::string name;
    int32_t type = 0;  // a store::FieldType code
    int32_t width = 0;
};

struct Assignment {
    std::string name;
    std::string value;
};

struct Command {
    CommandKind kind = CommandKind::kHelp;
    std::string table;
    std::string password;
    std::vector<FieldSpec> fields;        // create
    std::vector<Assignment> assignments;  // add
};

// `args` excludes the program name. False with a sentence in `error` when the
// command line is not usable.
bool ParseCommandLine(const std::vector<std::string>& args, Command* command, std::string* error);

// NAME:TYPE[:WIDTH], TYPE one of logical, text (width required), longtext.
bool ParseFieldSpec(const std::string& text, FieldSpec* spec, std::string* error);

extern const char kUsage[];

}  // namespace tovanel::rtbtool
