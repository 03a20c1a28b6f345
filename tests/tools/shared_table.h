// The table the multi-process tests share, and reading it back.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tovanel::testing {

extern const char kWorkerPassword[];

// Creates the worker table (快捷键, 内容, 备注) at `base` (no extension).
void CreateWorkerTable(const std::string& base);

struct TableContents {
    bool opened = false;
    int open_error = 0;
    int records = 0;
    int read_errors = 0;             // failed record-number or field reads
    std::map<std::string, int> ids;  // id of each intact 内容 → how often
    int empty_contents = 0;
    int damaged_contents = 0;  // 内容 not a well-formed text
    int damaged_notes = 0;     // 备注 neither empty nor well-formed
    int repeated_numbers = 0;  // records whose number an earlier one has
};

// Opens the table, walks every record reading every field.
TableContents ReadWorkerTable(const std::string& base);

// Log lines "A <id>" (completed adds) and "F <id> <code>".
struct WorkerLog {
    std::vector<std::string> completed;
    std::vector<std::string> failed;
};
WorkerLog ReadWorkerLog(const std::string& path);

}  // namespace tovanel::testing
