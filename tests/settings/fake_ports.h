// Fakes of the ports the switches use beyond the panel, the OS and the
// plug-ins: the mouse, the tray menu's host and the shell.
#pragma once

#include <string>
#include <vector>

#include "fakes.h"
#include "settings/document_shell.h"
#include "settings/tray_ports.h"

namespace tovanel::settings::testing {

using app::testing::CallLog;

inline std::string PointText(ScreenPoint p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

class FakePointer : public PointerInput {
  public:
    explicit FakePointer(CallLog& log) : log_(log) {}
    ScreenPoint CursorPosition() override { return cursor; }
    void ClickAt(ScreenPoint point) override { log_.push_back("click " + PointText(point)); }

    ScreenPoint cursor;

  private:
    CallLog& log_;
};

// A panel whose background receives clicks inside `background`.
class FakeTrayMenuHost : public TrayMenuHost {
  public:
    explicit FakeTrayMenuHost(CallLog& log) : log_(log) {}
    ScreenPoint ClientOrigin() const override { return origin; }
    bool ReceivesClickAt(ScreenPoint p) const override {
        asked.push_back(p);
        return receives;
    }
    void PopUpTrayMenu(ScreenPoint anchor) override {
        log_.push_back("tray menu at " + PointText(anchor));
    }

    ScreenPoint origin;
    bool receives = false;
    mutable std::vector<ScreenPoint> asked;

  private:
    CallLog& log_;
};

class FakeShell : public DocumentShell {
  public:
    explicit FakeShell(CallLog& log) : log_(log) {}
    void OpenDocument(const std::string& name) override { log_.push_back("open " + name); }

  private:
    CallLog& log_;
};

}  // namespace tovanel::settings::testing
