// Whole-file reads and writes of the reply text file on Win32.
#pragma once

#include "replies/reply_file_ports.h"

namespace tovanel::replies {

class Win32TextFiles : public TextFiles {
  public:
    bool ReadAll(const std::string& path, std::string* bytes) override;
    bool WriteAll(const std::string& path, const std::string& bytes) override;
};

}  // namespace tovanel::replies
