// The plug-ins of the running program: the subsystems that have arrived, and
// PendingPlugIns' placeholders for the rest.
#pragma once

#include <string>

#include "app/pending_plug_ins.h"
#include "replies/reply_library.h"

namespace tovanel::app {

class ProgramPlugIns final : public PendingPlugIns {
  public:
    explicit ProgramPlugIns(replies::ReplyLibrary& replies) : replies_(replies) {}

    void RefillReplyList() override { replies_.RefillReplyList(); }
    void AcceptDroppedFile(const std::string& path) override { replies_.AcceptDroppedFile(path); }

  private:
    replies::ReplyLibrary& replies_;
};

}  // namespace tovanel::app
