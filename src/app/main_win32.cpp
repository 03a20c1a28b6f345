// Velquin.exe: the process entry.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/app_frame.h"
#include "app/app_state.h"
#include "app/program_plug_ins.h"
#include "app/reply_library_wiring.h"
#include "app/single_instance.h"
#include "app/switch_board.h"
#include "app/win32_os_services.h"
#include "automation/win32_automation.h"
#include "app/win32_program_folder.h"
#include "app/win32_registry.h"
#include "app/win32_single_instance.h"
#include "settings/win32_document_shell.h"
#include "settings/win32_pointer_input.h"
#include "store/file_port.h"
#include "store/record_store.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"

namespace tovanel::app {
namespace {

// Relative names (the tables, the manual) resolve against the program's folder.
void EnterProgramFolder() {
    std::wstring folder = ProgramFolderWide();
    if (folder.empty()) return;
    // "C:" alone names the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    SetCurrentDirectoryW(folder.c_str());
}

// A misuse of the store ends the program after telling the user why.
void OnStoreFatal(const std::string& message) {
    ShowUserMessage(message, "信息：", MessageIcon::kError);
    std::exit(kExitFatal);
}

// Hands the window's events to the frame.
class FrameEvents : public ui::MainWindowEvents {
  public:
    FrameEvents(AppFrame& frame, SwitchBoard& switches) : frame_(frame), switches_(switches) {}
    void OnCreated() override { frame_.MainWindowCreated(); }
    [[noreturn]] void OnClosing() override { frame_.MainWindowClosing(); }
    void OnCloseCommand() override { frame_.CloseMainWindow(); }
    void OnTimer() override { frame_.OnTimer(); }
    void OnFileDropped(const std::string& path) override { frame_.OnFileDropped(path); }
    void OnTaskbarCreated() override { frame_.OnTaskbarCreated(); }
    void OnTrayEvent(int action) override { switches_.OnTrayEvent(action); }
    void OnSwitch(PanelSwitch which) override { switches_.OnSwitch(which); }

  private:
    AppFrame& frame_;
    SwitchBoard& switches_;
};

// The reply list's clicks go to the delivery; its other events to the library.
class ReplyListRouting : public ui::ReplyListEvents {
  public:
    ReplyListRouting(ReplyLibraryWiring& library, automation::Win32Automation& automation)
        : library_(library), automation_(automation) {}
    void OnReplyListClick() override { automation_.DeliverSelectedRow(); }
    bool OnAddClicked(const std::string& typed) override { return library_.OnAddClicked(typed); }
    void OnDeleteCommand() override { library_.OnDeleteCommand(); }
    void OnEditHotkeysCommand() override { library_.OnEditHotkeysCommand(); }
    void OnImportCommand() override { library_.OnImportCommand(); }
    void OnExportCommand() override { library_.OnExportCommand(); }

  private:
    ReplyLibraryWiring& library_;
    automation::Win32Automation& automation_;
};

int Run(HINSTANCE instance) {
    EnterProgramFolder();
    CreateChatWindowRect();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const std::unique_ptr<store::FileSystem> fs = store::MakeOsFileSystem();
    store::RecordStore store(*fs, &OnStoreFatal);
    ui::MainWindow window(instance);
    Win32OsServices os(window);
    Win32InstanceMarker marker;
    Win32ProcessList processes;
    Win32TopLevelWindows top_windows;
    InstanceGuard guard(marker, processes, top_windows, os, *fs);
    ReplyLibraryWiring replies(instance, window, store);
    automation::Win32Automation automation(ProcessAppState(), window, window.reply_rows());
    ReplyListRouting list_events(replies, automation);
    window.SetReplyListEvents(list_events);
    ProgramPlugIns plug_ins(guard, replies.library(), automation);
    AppFrame frame(ProcessAppState(), window, os, plug_ins, store);
    settings::Win32DocumentShell shell;
    settings::Win32PointerInput pointer;
    Win32Registry registry;
    SwitchBoard switches(ProcessAppState(),
                         {window, frame, plug_ins, os, store, shell, pointer, window, registry},
                         ProgramFolderAnsi());
    FrameEvents events(frame, switches);
    if (!window.Create(events)) {
        ShowUserMessage("无法创建主窗口。", "信息：", MessageIcon::kError);
        return 1;
    }
    // MainWindowClosing ends the process before this loop could end.
    ui::RunMessageLoop(window, [&frame] { frame.CloseMainWindow(); });
    return 0;
}

}  // namespace
}  // namespace tovanel::app

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return tovanel::app::Run(instance);
}
