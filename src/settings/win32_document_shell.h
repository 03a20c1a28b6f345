// The shell's "open" action on Win32.
#pragma once

#include "settings/document_shell.h"

namespace tovanel::settings {

class Win32DocumentShell final : public DocumentShell {
  public:
    void OpenDocument(const std::string& name) override;

  private:
    bool com_initialised_ = false;
};

}  // namespace tovanel::settings
