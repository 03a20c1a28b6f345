// DockTick against a fake desktop: which window counts as the chat client,
// where the panel goes, and when it shows and hides.
#include <gtest/gtest.h>

#include "automation/docking.h"
#include "fakes.h"

namespace tovanel::automation::testing {
namespace {

TEST(ChatIdentity, ClassExactTitleContains) {
    struct Case {
        const char* cls;
        std::string title;
        bool chat;
    } cases[] = {
        {kChatWindowClass, kChatWindowTitle, true},
        {kChatWindowClass, std::string("文件传输 - ") + kChatWindowTitle + " 2", true},
        {kChatWindowClass, "", false},
        {kChatWindowClass, "WeChat", false},
        {"wechatmainwndforpc", kChatWindowTitle, false},
        {"WeChatMainWndForPC2", kChatWindowTitle, false},
        {"Notepad", kChatWindowTitle, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsChatIdentity(c.cls, c.title), c.chat) << c.cls << " / " << c.title;
    }
    // The title's bytes straddling two GBK characters are no match.
    const std::string title = kChatWindowTitle;  // D6 A2 D0 C5 in GBK
    ASSERT_EQ(title.size(), 4u);
    const std::string straddling = std::string("\xB0") + title.substr(0, 3);
    EXPECT_FALSE(IsChatIdentity(kChatWindowClass, straddling + title.substr(3)));
}

TEST(DockLayout, ControlsBelowTheList) {
    const DockLayout layout = LayoutBelow(700);
    EXPECT_EQ(layout.list_height, 490);
    EXPECT_EQ(layout.edit_top, 625);
    EXPECT_EQ(layout.add_top, 660);
    EXPECT_EQ(layout.manual_top, 660);
    // The panel's own height as laid out gives the form's own places.
    const DockLayout form = LayoutBelow(650);
    EXPECT_EQ(form.list_height, 440);
    EXPECT_EQ(form.edit_top, 575);
}

class DockTickTest : public ::testing::Test {
  protected:
    DockTickTest() : panel_(log_) { state_.chat_window_rect = &rect_; }
    void Tick() { DockTick(state_, windows_, panel_); }

    CallLog log_;
    app::ChatWindowRect rect_;
    app::AppState state_;
    FakeChatWindows windows_;
    FakePanel panel_;
};

TEST_F(DockTickTest, ChatInFrontShowsTopmostDockedPanelInOrder) {
    panel_.visible = false;
    Tick();
    EXPECT_EQ(state_.chat_window, windows_.chat);
    EXPECT_EQ(rect_.left, 100);
    EXPECT_EQ(rect_.height, 700);
    EXPECT_TRUE(panel_.visible);
    EXPECT_TRUE(panel_.topmost);
    EXPECT_EQ(panel_.left, 900);
    EXPECT_EQ(panel_.top, 50);
    EXPECT_EQ(panel_.height, 700);
    EXPECT_EQ(panel_.width, 300);
    EXPECT_EQ(panel_.layout.edit_top, 625);
    EXPECT_EQ(log_, (CallLog{"show", "topmost", "dock 900,50 h700", "layout 490"}));
}

TEST_F(DockTickTest, ChatBehindAnotherProgramMovesButKeepsVisibility) {
    windows_.fg_class = "Notepad";
    for (bool visible : {false, true}) {
        panel_.visible = visible;
        panel_.topmost = visible;
        log_.clear();
        Tick();
        EXPECT_EQ(panel_.visible, visible);
        EXPECT_EQ(panel_.topmost, visible);
        EXPECT_EQ(log_, (CallLog{"dock 900,50 h700", "layout 490"}));
    }
}

TEST_F(DockTickTest, NoChatClientHidesAndZeroesEverything) {
    Tick();
    windows_.chat_exists = false;
    windows_.fg_class = "Notepad";
    log_.clear();
    Tick();
    EXPECT_EQ(state_.chat_window, 0u);
    EXPECT_EQ(rect_.left, 0);
    EXPECT_EQ(rect_.top, 0);
    EXPECT_EQ(rect_.width, 0);
    EXPECT_EQ(rect_.height, 0);
    EXPECT_FALSE(panel_.visible);
    EXPECT_FALSE(panel_.topmost);
    EXPECT_EQ(log_, (CallLog{"hide", "not topmost", "dock 0,0 h0", "layout -210"}));
}

TEST_F(DockTickTest, HiddenChatHidesPanelDockedToItsRectangle) {
    windows_.chat_visible = false;
    windows_.fg_class = "Notepad";
    Tick();
    EXPECT_FALSE(panel_.visible);
    EXPECT_EQ(panel_.left, 900);
    EXPECT_EQ(panel_.height, 700);
}

TEST_F(DockTickTest, LayoutFollowsTheHeightTheWindowTook) {
    panel_.min_height = 32;
    windows_.chat_rect = {10, 20, 400, 5};
    Tick();
    EXPECT_EQ(panel_.height, 32);
    EXPECT_EQ(panel_.layout.list_height, 32 - 210);
    EXPECT_EQ(panel_.layout.add_top, 32 - 40);
}

TEST_F(DockTickTest, ForegroundTitleNeedNotBeExact) {
    // A chat-class window titled "微信 - x" in front shows the panel even though
    // the lookup by exact title would not find it.
    windows_.chat_exists = false;
    windows_.fg_title = std::string(kChatWindowTitle) + " - x";
    panel_.visible = false;
    Tick();
    EXPECT_TRUE(panel_.visible);
    EXPECT_TRUE(panel_.topmost);
    EXPECT_EQ(log_,
              (CallLog{"hide", "not topmost", "show", "topmost", "dock 0,0 h0", "layout -210"}));
}

}  // namespace
}  // namespace tovanel::automation::testing
