// Mouse event codes, the event text, the hide area and the click-outside hiding.
#include <gtest/gtest.h>

#include "automation/mouse_events.h"
#include "fakes.h"

namespace tovanel::automation::testing {
namespace {

uint32_t HighWord(int16_t value) {
    return static_cast<uint32_t>(static_cast<uint16_t>(value)) << 16;
}

TEST(DecodeMouseEvent, MessagesAndMouseData) {
    struct Case {
        uint32_t message;
        uint32_t data;
        MouseCodes codes;
    } cases[] = {
        {513, 0, {1, 1}},
        {514, 0, {1, 2}},
        {515, 0, {1, 3}},
        {516, 0, {2, 1}},
        {517, 0, {2, 2}},
        {518, 0, {2, 3}},
        {519, 0, {3, 1}},
        {520, 0, {3, 2}},
        {521, 0, {3, 3}},
        {522, HighWord(120), {4, 4}},
        {522, HighWord(-120), {4, 5}},
        {522, HighWord(1), {4, 4}},
        {522, HighWord(-32768), {4, 5}},
        {522, 0, {0, 0}},
        {522, 0xFFFF, {0, 0}},  // delta 0, low word ignored
        {523, HighWord(1), {6, 1}},
        {523, HighWord(2), {5, 1}},
        {524, HighWord(1), {6, 2}},
        {524, HighWord(2), {5, 2}},
        {523, HighWord(3), {0, 0}},
        {524, 0, {0, 0}},
        {512, 0, {0, 0}},              // a move
        {526, HighWord(120), {0, 0}},  // horizontal wheel
        {525, 0, {0, 0}},
        {0, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        const MouseCodes got = DecodeMouseEvent(c.message, c.data);
        EXPECT_EQ(got, c.codes) << c.message << " data " << std::hex << c.data << ": got "
                                << got.button << "," << got.action;
    }
}

TEST(EventText, SignedDecimals) {
    EXPECT_EQ(EventText(1312, -5, 300), "1312|-5,300");
    EXPECT_EQ(EventText(0, 0, 0), "0|0,0");
    EXPECT_EQ(EventText(0x10010, -1920, -2147483647 - 1), "65552|-1920,-2147483648");
    EXPECT_EQ(EventText(UINT64_MAX, 7, -7), "18446744073709551615|7,-7");
}

TEST(InHideArea, EveryBound) {
    const app::ChatWindowRect chat{100, 50, 800, 700};
    struct Case {
        int32_t x, y;
        bool inside;
    } cases[] = {
        {1000, 400, true}, {1200, 750, true},  {100, 50, true},  {1200, 50, true},
        {100, 750, true},  {1201, 400, false}, {99, 400, false}, {500, 751, false},
        {500, 49, false},  {-5, -5, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InHideArea(chat, 300, c.x, c.y), c.inside) << c.x << "," << c.y;
    }
    // No chat window: x from 0 to the panel's width, y exactly 0.
    const app::ChatWindowRect none{};
    EXPECT_TRUE(InHideArea(none, 300, 0, 0));
    EXPECT_TRUE(InHideArea(none, 300, 300, 0));
    EXPECT_FALSE(InHideArea(none, 300, 301, 0));
    EXPECT_FALSE(InHideArea(none, 300, 10, 1));
    // Sums near the limits do not wrap.
    const app::ChatWindowRect far{2147483000, 0, 600, 10};
    EXPECT_TRUE(InHideArea(far, 300, 2147483647, 5));
}

class ClickOutsideTest : public ::testing::Test {
  protected:
    ClickOutsideTest() : panel_(log_) {
        rect_ = {100, 50, 800, 700};
        state_.chat_window_rect = &rect_;
        state_.chat_window = windows_.chat;
        windows_.own_windows[kPanelWindow] = true;
        panel_.topmost = true;
    }
    // A press at (x, y) on `window`; true when it hid the panel.
    bool Press(WindowHandle window, int32_t x, int32_t y, int32_t button = 1, int32_t action = 1) {
        panel_.visible = true;
        panel_.topmost = true;
        OnMouseEvent(button, action, EventText(window, x, y), state_, windows_, panel_);
        return !panel_.visible;
    }

    static constexpr WindowHandle kPanelWindow = 0x500;
    static constexpr WindowHandle kOtherWindow = 0x900;  // another program's
    CallLog log_;
    app::ChatWindowRect rect_;
    app::AppState state_;
    FakeChatWindows windows_;
    FakePanel panel_;
};

TEST_F(ClickOutsideTest, AreaAndWindowTests) {
    struct Case {
        const char* what;
        WindowHandle window;
        int32_t x, y;
        bool hides;
    } cases[] = {
        {"on the panel", kPanelWindow, 1000, 400, false},
        {"on the chat window", windows_.chat, 500, 400, false},
        {"far corner on the panel", kPanelWindow, 1200, 750, false},
        {"far corner on another program", kOtherWindow, 1200, 750, true},
        {"right of the panel", kPanelWindow, 1201, 400, true},
        {"left of the chat", windows_.chat, 99, 400, true},
        {"below the chat", windows_.chat, 500, 751, true},
        {"another program over the chat", kOtherWindow, 500, 400, true},
        {"a child window of the chat client", 0x1313, 500, 400, true},
        {"the panel's own menu over the chat", kPanelWindow, 300, 300, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Press(c.window, c.x, c.y), c.hides) << c.what;
        if (c.hides) {
            EXPECT_FALSE(panel_.topmost) << c.what;
        }
    }
}

TEST_F(ClickOutsideTest, OnlyLeftPressesCount) {
    const MouseCodes ignored[] = {{1, 2}, {1, 3}, {2, 1}, {3, 1}, {4, 4},
                                  {4, 5}, {5, 1}, {6, 1}, {0, 0}};
    for (const MouseCodes& codes : ignored) {
        EXPECT_FALSE(Press(kOtherWindow, 5000, 5000, codes.button, codes.action))
            << codes.button << "," << codes.action;
    }
    EXPECT_EQ(log_, CallLog{});
}

TEST_F(ClickOutsideTest, NoChatWindowAlmostEveryPressHides) {
    rect_ = {};
    state_.chat_window = 0;
    EXPECT_TRUE(Press(kPanelWindow, 500, 400));
    EXPECT_FALSE(Press(kPanelWindow, 10, 0));
    EXPECT_TRUE(Press(kOtherWindow, 10, 0));
}

TEST_F(ClickOutsideTest, MalformedTextHidesNothing) {
    for (const char* text : {"", "1312", "1312|5", "1312|x,5", "1312|5,", "|,"}) {
        panel_.visible = true;
        OnMouseEvent(1, 1, text, state_, windows_, panel_);
        EXPECT_TRUE(panel_.visible) << text;
    }
}

}  // namespace
}  // namespace tovanel::automation::testing
