// The automation at 100, 125, 150 and 200 % display scale. The program is
// per-monitor DPI aware, so every rectangle and point is a physical pixel;
// only the distances taken from a 96-DPI layout scale: the panel's controls
// below the reply list (by the panel's DPI) and the chat client's click
// points (by the chat window's DPI). Each row is the same desktop, a chat
// window at logical (100, 50, 800, 700), at one scale.
#include <gtest/gtest.h>

#include <ostream>

#include "automation/docking.h"
#include "automation/mouse_events.h"
#include "automation/reply_delivery.h"
#include "fakes.h"

namespace tovanel::automation::testing {
namespace {

struct Scale {
    int dpi;
    app::ChatWindowRect chat;  // physical pixels
    int panel_width;
    DockLayout below;  // for a panel as high as the chat window
};

const Scale kScales[] = {
    {96, {100, 50, 800, 700}, 300, {490, 625, 660, 660}},
    {120, {125, 63, 1000, 875}, 375, {612, 781, 825, 825}},
    {144, {150, 75, 1200, 1050}, 450, {735, 937, 990, 990}},
    {192, {200, 100, 1600, 1400}, 600, {980, 1250, 1320, 1320}},
};

void PrintTo(const Scale& s, std::ostream* out) {
    *out << s.dpi << " DPI";
}

class DisplayScaleTest : public ::testing::TestWithParam<Scale> {
  protected:
    DisplayScaleTest() : panel_(log_) {
        const Scale& s = GetParam();
        state_.chat_window_rect = &rect_;
        windows_.chat_rect = s.chat;
        windows_.chat_dpi = s.dpi;
        panel_.dpi = s.dpi;
        panel_.width = s.panel_width;
    }

    CallLog log_;
    app::ChatWindowRect rect_;
    app::AppState state_;
    FakeChatWindows windows_;
    FakePanel panel_;
};

TEST_P(DisplayScaleTest, DocksToThePhysicalEdgeAndScalesTheControlsBelow) {
    const Scale& s = GetParam();
    DockTick(state_, windows_, panel_);
    EXPECT_EQ(panel_.left, s.chat.left + s.chat.width);
    EXPECT_EQ(panel_.top, s.chat.top);
    EXPECT_EQ(panel_.height, s.chat.height);
    EXPECT_EQ(panel_.layout.list_height, s.below.list_height);
    EXPECT_EQ(panel_.layout.edit_top, s.below.edit_top);
    EXPECT_EQ(panel_.layout.add_top, s.below.add_top);
    EXPECT_EQ(panel_.layout.manual_top, s.below.manual_top);
}

TEST_P(DisplayScaleTest, HideAreaIsThePhysicalChatWindowAndPanelEveryBoundIncluded) {
    const Scale& s = GetParam();
    const app::ChatWindowRect& c = s.chat;
    const int right = c.left + c.width + s.panel_width;
    const int bottom = c.top + c.height;
    EXPECT_TRUE(InHideArea(c, s.panel_width, c.left, c.top));
    EXPECT_TRUE(InHideArea(c, s.panel_width, right, bottom));
    EXPECT_FALSE(InHideArea(c, s.panel_width, c.left - 1, c.top));
    EXPECT_FALSE(InHideArea(c, s.panel_width, right + 1, bottom));
    EXPECT_FALSE(InHideArea(c, s.panel_width, right, c.top - 1));
    EXPECT_FALSE(InHideArea(c, s.panel_width, c.left, bottom + 1));
}

TEST_P(DisplayScaleTest, PressInTheChatWindowsLowerHalfHidesNothing) {
    // Three quarters down the chat window, at its horizontal middle; at
    // 150 % that is (750, 862), below the 750 where a logical rectangle ends.
    const Scale& s = GetParam();
    DockTick(state_, windows_, panel_);
    log_.clear();
    const int x = s.chat.left + s.chat.width / 2;
    const int y = s.chat.top + s.chat.height * 3 / 4;
    OnMouseEvent(1, 1, EventText(windows_.chat, x, y), state_, windows_, panel_);
    EXPECT_TRUE(log_.empty()) << log_.front();
    EXPECT_TRUE(panel_.visible);
}

INSTANTIATE_TEST_SUITE_P(Scales, DisplayScaleTest, ::testing::ValuesIn(kScales));

// The press of the issue: a chat window at logical (100, 50, 800 x 700) on a
// 150 % monitor, pressed at physical (1000, 800) inside its lower half.
TEST(DisplayScale, PressInLowerHalfAt150PercentIsInsideTheHideArea) {
    EXPECT_TRUE(InHideArea({150, 75, 1200, 1050}, 450, 1000, 800));
    // What the unaware program compared it with: logical rectangle, logical width.
    EXPECT_FALSE(InHideArea({100, 50, 800, 700}, 300, 1000, 800));
}

// The panel on one monitor, the chat window on another: the controls below
// the list follow the panel's DPI alone.
TEST(DisplayScale, LayoutBelowFollowsThePanelsOwnDpi) {
    CallLog log;
    app::ChatWindowRect rect;
    app::AppState state;
    state.chat_window_rect = &rect;
    FakeChatWindows windows;  // at 96 DPI, 700 high
    FakePanel panel(log);
    panel.dpi = 144;
    DockTick(state, windows, panel);
    EXPECT_EQ(panel.layout.list_height, 700 - 315);
    EXPECT_EQ(panel.layout.edit_top, 700 - 113);
    EXPECT_EQ(panel.layout.add_top, 700 - 60);
}

struct ClickCase {
    int chat_dpi;
    ScreenPoint input_box, send;  // screen points for a chat window at (100, 50), 800 x 600
};

// (w - 33, h - 58) and (w - 78, h - 28) in the chat client's 96-DPI layout.
const ClickCase kClicks[] = {
    {96, {867, 592}, {822, 622}},   // client (767, 542), (722, 572)
    {120, {859, 577}, {802, 615}},  // 41, 73 and 98, 35 from the corner
    {144, {850, 563}, {783, 608}},  // 50, 87 and 117, 42
    {192, {834, 534}, {744, 594}},  // 66, 116 and 156, 56
};

void PrintTo(const ClickCase& c, std::ostream* out) {
    *out << "chat window at " << c.chat_dpi << " DPI";
}

class ScaledClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ScaledClickTest, ClickPointsScaleWithTheChatWindowsDpi) {
    const ClickCase& c = GetParam();
    CallLog log;
    app::ChatWindowRect rect{100, 50, 800, 600};
    app::AppState state;
    state.chat_window_rect = &rect;
    state.follow_flag = 1;
    state.send_mode = 1;
    FakeChatWindows windows;
    windows.chat_rect = rect;
    windows.chat_dpi = c.chat_dpi;
    FakeInput input(log);
    input.origins[windows.chat] = {100, 50};
    FakeClipboard clipboard(log);
    FakePump pump(log);
    pump.log_pumps = false;
    FakeRows rows;
    rows.rows = {{"F3", "你好"}};
    ReplyDelivery delivery({state, windows, input, clipboard, pump, rows}, "C:\\V\\fi\\");

    delivery.DeliverHotkey("F3");
    const std::string at = "click 6 at ";
    EXPECT_EQ(log.front(), at + Str(c.input_box.x, c.input_box.y));
    EXPECT_EQ(log.back(), at + Str(c.send.x, c.send.y));
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledClickTest, ::testing::ValuesIn(kClicks));

}  // namespace
}  // namespace tovanel::automation::testing
