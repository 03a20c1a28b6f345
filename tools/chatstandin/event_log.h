// The stand-in's record of what arrived: one UTF-8 line per event,
// "<kind>\t<payload>", with backslash, tab, CR and LF escaped so that a
// payload never spans lines.
#pragma once

#include <string>

namespace chatstandin {

class EventLog {
  public:
    explicit EventLog(std::wstring path) : path_(std::move(path)) {}

    // Appends one line; the file is opened and closed each time so a reader
    // sees every event as soon as it happened. Does nothing without a path.
    void Append(const std::string& kind, const std::wstring& payload) const;

  private:
    std::wstring path_;
};

std::string EscapeForLog(const std::string& utf8);

}  // namespace chatstandin
