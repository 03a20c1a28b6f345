// Runs a program to completion and captures what it printed.
#pragma once

#include <string>
#include <vector>

namespace tovanel::testing {

struct ProgramResult {
    int exit_code = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args);

// A fresh empty folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace tovanel::testing
