// The panel's real main window and list view, with the reply library over
// them, as Velquin.exe has them; nothing else of the program runs.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "quiet_window_events.h"
#include "refill_target.h"
#include "replies/reply_library.h"
#include "replies/win32_attachment_folder.h"
#include "ui/main_window.h"

namespace tovanel::bench {
namespace {

// A message would mean the table or the folder is missing: the numbers would lie.
class FailOnMessage : public replies::UserMessages {
  public:
    void Error(const std::string& text) override { Fail(text); }
    void Warning(const std::string& text) override { Fail(text); }
    void Information(const std::string& text) override { Fail(text); }

  private:
    [[noreturn]] static void Fail(const std::string& text) {
        std::fprintf(stderr, "refill bench: unexpected message (GBK): %s\n", text.c_str());
        std::exit(1);
    }
};

class Win32RefillTarget : public RefillTarget {
  public:
    Win32RefillTarget(store::RecordStore& store, const std::string& attachments)
        : window_(GetModuleHandleA(nullptr)),
          folder_(attachments),
          library_(store, window_.reply_rows(), folder_, messages_) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        if (!window_.Create(events_)) {
            std::fprintf(stderr, "refill bench: no main window\n");
            std::exit(1);
        }
        window_.SetWindowVisible(true);
        UpdateWindow(window_.window());
    }

    int Refill() override {
        library_.RefillReplyList();
        UpdateWindow(window_.reply_list());
        return window_.reply_rows().RowCount();
    }

    void Show(const std::vector<replies::ReplyRow>& rows) override {
        std::vector<replies::ListedRow> listed;
        listed.reserve(rows.size());
        for (const replies::ReplyRow& row : rows) listed.push_back({row, replies::RowImage::kText});
        window_.reply_rows().ReplaceRows(std::move(listed));
        UpdateWindow(window_.reply_list());
    }

  private:
    QuietWindowEvents events_;
    ui::MainWindow window_;
    replies::Win32AttachmentFolder folder_;
    FailOnMessage messages_;
    replies::ReplyLibrary library_;
};

}  // namespace

std::unique_ptr<RefillTarget> MakeRefillTarget(store::RecordStore& store,
                                               const std::string& attachments) {
    return std::make_unique<Win32RefillTarget>(store, attachments);
}

}  // namespace tovanel::bench
