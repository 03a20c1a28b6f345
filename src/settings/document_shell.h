// The system shell's "open" action on a document.
#pragma once

#include <string>

namespace tovanel::settings {

class DocumentShell {
  public:
    virtual ~DocumentShell() = default;
    // Opens `name` (resolved against the working directory) in its associated
    // program, in a normal window; a failure is not reported.
    virtual void OpenDocument(const std::string& name) = 0;
};

}  // namespace tovanel::settings
