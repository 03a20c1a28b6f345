// The plug-ins of the running program: the subsystems that have arrived, and
// PendingPlugIns' placeholders for the rest.
#pragma once

#include <string>

#include "app/pending_plug_ins.h"
#include "automation/win32_automation.h"
#include "replies/reply_library.h"

namespace tovanel::app {

class ProgramPlugIns final : public PendingPlugIns {
  public:
    ProgramPlugIns(replies::ReplyLibrary& replies, automation::Win32Automation& automation)
        : replies_(replies), automation_(automation) {}

    void RefillReplyList() override { replies_.RefillReplyList(); }
    void AcceptDroppedFile(const std::string& path) override { replies_.AcceptDroppedFile(path); }
    void InstallKeyboardHook() override { automation_.InstallKeyboardHook(); }
    void RemoveKeyboardHook() override { automation_.RemoveKeyboardHook(); }
    void InstallMouseHook() override { automation_.InstallMouseHook(); }
    void RemoveMouseHook() override { automation_.RemoveMouseHook(); }
    void DockTick() override { automation_.DockTick(); }

  private:
    replies::ReplyLibrary& replies_;
    automation::Win32Automation& automation_;
};

}  // namespace tovanel::app
