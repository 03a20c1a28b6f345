// rtbtool: makes, lists and fills record tables from the command line.
#include <iostream>

#include "command_line.h"
#include "os_edge.h"
#include "table_commands.h"

int main(int argc, char** argv) {
    using namespace tovanel::rtbtool;
    os::PrepareStandardStreams();
    Command command;
    std::string error;
    if (!ParseCommandLine(os::Utf8Arguments(argc, argv), &command, &error)) {
        std::cerr << "rtbtool: " << error << "\nTry 'rtbtool --help'.\n";
        return kExitUsage;
    }
    auto fs = tovanel::store::MakeOsFileSystem();
    ToolContext context{*fs, os::NativePathFromUtf8, std::cout, std::cerr};
    return RunCommand(command, context);
}
