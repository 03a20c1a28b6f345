// The plug-ins of the running program: the subsystems that have arrived, and
// PendingPlugIns' placeholders for the rest.
#pragma once

#include <string>

#include "app/pending_plug_ins.h"
#include "app/single_instance.h"
#include "replies/reply_library.h"

namespace tovanel::app {

class ProgramPlugIns final : public PendingPlugIns {
  public:
    ProgramPlugIns(InstanceGuard& guard, replies::ReplyLibrary& replies)
        : guard_(guard), replies_(replies) {}

    void SingleInstanceGuard() override { guard_.SingleInstanceGuard(); }
    void RefillReplyList() override { replies_.RefillReplyList(); }
    void AcceptDroppedFile(const std::string& path) override { replies_.AcceptDroppedFile(path); }

  private:
    InstanceGuard& guard_;
    replies::ReplyLibrary& replies_;
};

}  // namespace tovanel::app
