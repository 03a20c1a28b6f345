// The plug-ins of the running program: the subsystems that start-up,
// shutdown and the timer hand over to.
#pragma once

#include <string>

#include "app/plug_ins.h"
#include "app/single_instance.h"
#include "automation/win32_automation.h"
#include "replies/reply_library.h"

namespace tovanel::app {

class ProgramPlugIns final : public PlugIns {
  public:
    ProgramPlugIns(InstanceGuard& guard, replies::ReplyLibrary& replies,
                   automation::Win32Automation& automation)
        : guard_(guard), replies_(replies), automation_(automation) {}

    void SingleInstanceGuard() override { guard_.SingleInstanceGuard(); }
    void RefillReplyList() override { replies_.RefillReplyList(); }
    void AcceptDroppedFile(const std::string& path) override { replies_.AcceptDroppedFile(path); }
    void InstallKeyboardHook() override { automation_.InstallKeyboardHook(); }
    void RemoveKeyboardHook() override { automation_.RemoveKeyboardHook(); }
    void InstallMouseHook() override { automation_.InstallMouseHook(); }
    void RemoveMouseHook() override { automation_.RemoveMouseHook(); }
    void DockTick() override { automation_.DockTick(); }

  private:
    InstanceGuard& guard_;
    replies::ReplyLibrary& replies_;
    automation::Win32Automation& automation_;
};

}  // namespace tovanel::app
