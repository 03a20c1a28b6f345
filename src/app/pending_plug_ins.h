// Placeholders for the operations other subsystems bring in: each does
// nothing until its subsystem is part of the program (ProgramPlugIns holds
// those that have arrived).
#pragma once

#include "app/plug_ins.h"

namespace tovanel::app {

class PendingPlugIns : public PlugIns {
  public:
    // No marker yet: every copy starts as if it were the only one.
    void SingleInstanceGuard() override {}
};

}  // namespace tovanel::app
