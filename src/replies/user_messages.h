// The message box of the reply library: caption "信息：", one OK button, no
// owner window, modal for all windows of the program; the icon by the method.
#pragma once

#include <string>

namespace tovanel::replies {

inline constexpr const char* kMessageCaption = "信息：";

class UserMessages {
  public:
    virtual ~UserMessages() = default;
    virtual void Error(const std::string& text) = 0;
    virtual void Warning(const std::string& text) = 0;
    virtual void Information(const std::string& text) = 0;
};

}  // namespace tovanel::replies
