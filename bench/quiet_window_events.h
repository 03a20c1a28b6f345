// Events of a main window made for a benchmark: nothing reacts to them, and
// a close ends the run.
#pragma once

#include <cstdlib>
#include <string>

#include "ui/main_window.h"

namespace tovanel::bench {

class QuietWindowEvents : public ui::MainWindowEvents {
  public:
    void OnCreated() override {}
    [[noreturn]] void OnClosing() override { std::exit(0); }
    void OnCloseCommand() override {}
    void OnTimer() override {}
    void OnFileDropped(const std::string&) override {}
    void OnTaskbarCreated() override {}
    void OnTrayEvent(int) override {}
    void OnSwitch(app::PanelSwitch) override {}
};

}  // namespace tovanel::bench
