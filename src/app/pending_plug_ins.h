// Placeholders for the operations other subsystems bring in: each does
// nothing until its subsystem is part of the program.
#pragma once

#include "app/plug_ins.h"
#include "app/single_instance.h"

namespace tovanel::app {

class PendingPlugIns final : public PlugIns {
  public:
    explicit PendingPlugIns(InstanceGuard& guard) : guard_(guard) {}

    void SingleInstanceGuard() override { guard_.SingleInstanceGuard(); }
    // The reply list stays empty until it reads the content table.
    void RefillReplyList() override {}
    // A dropped file is not yet copied into the attachment folder.
    void AcceptDroppedFile(const std::string&) override {}
    // No F-key dispatch yet, so no keyboard hook.
    void InstallKeyboardHook() override {}
    void RemoveKeyboardHook() override {}
    // No click-outside hiding yet, so no mouse hook.
    void InstallMouseHook() override {}
    void RemoveMouseHook() override {}
    // No docking to the chat window yet.
    void DockTick() override {}

  private:
    InstanceGuard& guard_;
};

}  // namespace tovanel::app
