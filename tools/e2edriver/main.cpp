// e2edriver: eyes and hands for the end-to-end tests, run under Wine.
//   e2edriver COMMAND ARGS...   runs one command and prints its JSON answer
//   e2edriver serve             reads commands from stdin, one a line with the
//                               arguments separated by tabs (a backslash, tab,
//                               CR or LF inside one written \\, \t, \r, \n),
//                               and answers each with one JSON line; "quit" ends.
// One long-lived "serve" process spares the tests a Wine start per step.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "command_table.h"
#include "text_codec.h"

namespace {

using namespace e2edriver;

CommandTable BuildTable() {
    CommandTable table;
    AddWindowCommands(table);
    AddProcessCommands(table);
    AddDialogCommands(table);
    AddTrayCommands(table);
    AddInputCommands(table);
    AddListViewCommands(table);
    AddControlCommands(table);
    AddAutomationCommands(table);
    AddVersionCommands(table);
    AddFileCommands(table);
    return table;
}

void Answer(const Reply& reply) {
    const std::string line = reply.Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

Args SplitFields(const std::string& line) {
    Args fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

int Serve(const CommandTable& table) {
    std::string line;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        line += buffer;
        if (line.empty() || line.back() != '\n') continue;  // a longer line goes on
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (line == "quit") return 0;
        if (!line.empty()) Answer(table.Run(SplitFields(line)));
        line.clear();
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Answers are UTF-8 bytes; no CR LF translation on the pipe.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    const CommandTable table = BuildTable();
    if (argc < 2) {
        std::fprintf(stderr, "usage: e2edriver serve | COMMAND ARGS...\n%s", table.Help().c_str());
        return 2;
    }
    Args args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    if (args.size() == 1 && args[0] == "serve") return Serve(table);
    const Reply reply = table.Run(args);
    Answer(reply);
    return reply.ok ? 0 : 1;
}
