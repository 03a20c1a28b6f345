// The two delivery paths under the follow flag and the send mode: the exact
// sequence of clicks, clipboard writes, keys and pumps.
#include <gtest/gtest.h>

#include "automation/reply_delivery.h"
#include "fakes.h"

namespace tovanel::automation::testing {
namespace {

const CallLog kCtrlV = {"down 17", "down 86", "up 17", "up 86"};

CallLog Join(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class DeliveryTest : public ::testing::Test {
  protected:
    DeliveryTest()
        : input_(log_),
          clipboard_(log_),
          pump_(log_),
          delivery_({state_, windows_, input_, clipboard_, pump_, rows_}, "C:\\V\\fi\\") {
        state_.chat_window_rect = &rect_;
        state_.follow_flag = 1;
        windows_.log = &log_;
        // An 800x600 chat window whose client area fills it.
        rect_ = {100, 50, 800, 600};
        windows_.chat_rect = rect_;
        input_.origins[windows_.chat] = {100, 50};
        rows_.rows = {{"F5", "first"},
                      {"", "plain"},
                      {replies::kAttachmentMarker, "a.png"},
                      {"F5", "second"},
                      {"f5", "lower"}};
    }

    CallLog log_;
    app::ChatWindowRect rect_;
    app::AppState state_;
    FakeChatWindows windows_;
    FakeInput input_;
    FakeClipboard clipboard_;
    FakePump pump_;
    FakeRows rows_;
    ReplyDelivery delivery_;
};

// The pump after Ctrl+V, and the wait until the chat client has taken it.
const CallLog kTaken = {"pump", "sync"};
const CallLog kInputBoxClick = {"click 6 at 867,592"};  // client (767, 542)
const CallLog kSendClick = {"click 6 at 822,622"};      // client (722, 572)
// WaitPumping(10) with one tick per pump, then the pump before Send.
CallLog SendPause() {
    CallLog pause(12, "pump");
    pause.push_back("pump");
    return pause;
}

TEST_F(DeliveryTest, RowClickPasteOnlyKeepsSelection) {
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick, {"text plain"}, kCtrlV, kTaken}));
    EXPECT_EQ(rows_.selected, 1);
    EXPECT_EQ(input_.cursor, (ScreenPoint{640, 480}));
}

TEST_F(DeliveryTest, RowClickSendModeClicksSendAndClearsSelection) {
    state_.send_mode = 1;
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_,
              Join({kInputBoxClick, {"text plain"}, kCtrlV, kTaken, SendPause(), kSendClick}));
    EXPECT_EQ(rows_.selected, -1);
}

TEST_F(DeliveryTest, RowClickOnAttachmentPastesItsPathAsFileList) {
    rows_.selected = 2;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick, {"files C:\\V\\fi\\a.png;"}, kCtrlV, kTaken}));
}

// An imported "文件" row names a file outside the folder: nothing is clicked or pasted.
TEST_F(DeliveryTest, RowClickOnAnAttachmentNameWithAPathDeliversNothing) {
    for (const std::string name : {"..\\设置.RTB", "C:\\x.doc", "sub/a.png", ".."}) {
        rows_.rows = {{replies::kAttachmentMarker, name}};
        rows_.selected = 0;
        delivery_.DeliverSelectedRow();
        EXPECT_EQ(log_, CallLog{}) << name;
    }
}

TEST_F(DeliveryTest, RowClickDoesNothingWithoutSelectionOrWhenNotFollowing) {
    delivery_.DeliverSelectedRow();
    state_.follow_flag = 0;
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, CallLog{});
    EXPECT_EQ(rows_.selected, 1);
}

TEST_F(DeliveryTest, SendClickUsesTheRectangleATickRefreshedMeanwhile) {
    state_.send_mode = 1;
    rows_.selected = 0;
    // A timer tick dispatched by the pump after Ctrl+V: the chat window grew.
    pump_.on_pump = [this] { rect_ = {100, 50, 1000, 700}; };
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_.back(), "click 6 at 1022,722");
}

TEST_F(DeliveryTest, HotkeyDeliversEveryMatchingRowInOrderEachWithItsClicks) {
    state_.send_mode = 1;
    rows_.selected = 1;
    delivery_.DeliverHotkey("F5");
    const CallLog one_row =
        Join({kInputBoxClick, {"text X"}, kCtrlV, kTaken, SendPause(), kSendClick});
    CallLog first = one_row, second = one_row;
    first[1] = "text first";
    second[1] = "text second";
    EXPECT_EQ(log_, Join({first, second}));
    EXPECT_EQ(rows_.selected, 1) << "an F-key leaves the selection alone";
}

TEST_F(DeliveryTest, HotkeyWhenNotFollowingPastesIntoTheFocusedWindowEvenInSendMode) {
    state_.follow_flag = 0;
    state_.send_mode = 1;
    delivery_.DeliverHotkey("F5");
    EXPECT_EQ(log_, Join({{"text first"}, kCtrlV, {"text second"}, kCtrlV}));
}

TEST_F(DeliveryTest, HotkeyMatchesKeyTextsByteForByte) {
    delivery_.DeliverHotkey("F6");
    EXPECT_EQ(log_, CallLog{});
    delivery_.DeliverHotkey("f5");
    EXPECT_EQ(log_, Join({kInputBoxClick, {"text lower"}, kCtrlV, kTaken}));
}

TEST_F(DeliveryTest, TargetsAreOffsetsFromTheClientOriginByTheOuterSize) {
    // A chat window whose client area starts below a caption: the offsets
    // still come from the outer width and height, from the client origin.
    input_.origins[windows_.chat] = {108, 80};
    state_.send_mode = 1;
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_.front(), "click 6 at 875,622");
    EXPECT_EQ(log_.back(), "click 6 at 830,652");
}

TEST_F(DeliveryTest, CtrlVWaitsUntilTheClickedChatClientIsInFront) {
    // The row's click made the panel active; the chat client takes over
    // only once it has handled the synthetic click, two pumps later.
    windows_.fg_class = "TovanelMainWindow";
    int queries = 0;
    windows_.on_foreground_query = [&] {
        if (++queries == 3) windows_.fg_class = kChatWindowClass;
    };
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick, {"pump", "pump", "text plain"}, kCtrlV, kTaken}));

    // A chat client that never comes to the front costs a bounded wait.
    log_.clear();
    windows_.on_foreground_query = nullptr;
    windows_.fg_class = "TovanelMainWindow";
    pump_.log_pumps = false;
    const uint32_t before = pump_.tick;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick, {"text plain"}, kCtrlV, {"sync"}}));
    EXPECT_LE(pump_.tick - before, kChatActivationWaitMs + 3);
}

TEST_F(DeliveryTest, NoChatWindowMeansNoClickAndThePasteGoesToTheFocus) {
    // After a tick without a chat window: handle 0, rectangle all zeros.
    windows_.chat_exists = false;
    rect_ = {};
    state_.send_mode = 1;
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({{"text plain"}, kCtrlV, {"pump"}, SendPause()}));
}

TEST_F(DeliveryTest, ClipboardHeldElsewherePastesNothingRatherThanOldContent) {
    clipboard_.held_by_other = true;
    state_.send_mode = 1;
    rows_.selected = 1;
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick, {"text plain"}}));
    EXPECT_EQ(rows_.selected, 1) << "nothing was sent";
    log_.clear();
    state_.follow_flag = 0;
    delivery_.DeliverHotkey("F5");
    EXPECT_EQ(log_, (CallLog{"text first", "text second"}));
}

TEST_F(DeliveryTest, RequestArrivingMidDeliveryWaitsItsTurn) {
    // The synthetic keys pass the hook and the pump dispatches what came in:
    // an F-key pressed during a row's delivery starts only after it.
    pump_.log_pumps = false;
    rows_.selected = 1;
    bool pressed = false;
    input_.on_key = [&] {
        if (!pressed) {
            pressed = true;
            delivery_.DeliverHotkey("F5");
        }
    };
    delivery_.DeliverSelectedRow();
    EXPECT_EQ(log_, Join({kInputBoxClick,
                          {"text plain"},
                          kCtrlV,
                          {"sync"},
                          kInputBoxClick,
                          {"text first"},
                          kCtrlV,
                          {"sync"},
                          kInputBoxClick,
                          {"text second"},
                          kCtrlV,
                          {"sync"}}));
}

}  // namespace
}  // namespace tovanel::automation::testing
