// The switches over a real settings table: which fields each writes, in
// which order each acts on the panel, the states they keep consistent, and
// their failure paths. Start-up runs first, so every switch meets the panel
// as the program leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/app_frame.h"
#include "app/switch_board.h"
#include "fake_ports.h"
#include "fake_registry.h"
#include "fakes.h"
#include "settings_fixture.h"

namespace tovanel::settings::testing {
namespace {

using app::MenuItem;
using app::PanelSwitch;
using app::RadioButton;
using app::testing::FakeOs;
using app::testing::FakePanel;
using app::testing::FakePlugIns;
using app::testing::FakeRegistry;
using app::testing::FiveSettings;
using app::testing::MakeSettingsTable;
using app::testing::ScratchDirectory;

// The program after start-up: the frame, the switches and every fake.
struct Program {
    explicit Program(store::FileSystem& fs)
        : store(fs),
          panel(log),
          os(log),
          plug_ins(log),
          pointer(log),
          host(log),
          shell(log),
          frame(state, panel, os, plug_ins, store),
          switches(state, {panel, frame, plug_ins, os, store, shell, pointer, host, registry},
                   "D:\\Tools") {}

    store::RecordStore store;
    CallLog log;
    app::AppState state;
    FakePanel panel;
    FakeOs os;
    FakePlugIns plug_ins;
    FakePointer pointer;
    FakeTrayMenuHost host;
    FakeShell shell;
    FakeRegistry registry;
    app::AppFrame frame;
    app::SwitchBoard switches;
};

class SwitchesTest : public ::testing::Test {
  protected:
    SwitchesTest() : fs_(store::MakeOsFileSystem()) { Restart(); }

    // A fresh program, before start-up.
    void Restart() {
        std::filesystem::remove("设置.RTB");
        program_.emplace(*fs_);
    }

    // Starts the program over a table holding `stored`; the log then starts empty.
    void Start(const FiveSettings& stored) {
        MakeSettingsTable(*fs_, stored);
        program_->frame.MainWindowCreated();
        program_->log.clear();
    }

    // What the user does: a radio button is checked by the click itself.
    void Press(PanelSwitch which) {
        if (which == PanelSwitch::kSelectPasteOnly) panel().CheckRadio(RadioButton::kPaste);
        if (which == PanelSwitch::kSelectPasteAndSend) panel().CheckRadio(RadioButton::kSend);
        program_->switches.OnSwitch(which);
    }

    FiveSettings StoredSettings() {
        store::RecordStore& store = program_->store;
        EXPECT_TRUE(store.OpenTable(kSettingsTableName, kTablePassword));
        FiveSettings stored{};
        for (size_t i = 0; i < stored.size(); ++i) {
            stored[i] = std::get<bool>(store.ReadField(kSettingFieldNames[i]));
        }
        store.CloseTable();
        return stored;
    }

    CallLog& log() { return program_->log; }
    app::AppState& state() { return program_->state; }
    FakePanel& panel() { return program_->panel; }
    FakeOs& os() { return program_->os; }
    FakePlugIns& plug_ins() { return program_->plug_ins; }
    bool TableOpen() const { return program_->store.HasCurrentTable(); }

    ScratchDirectory dir_;
    std::unique_ptr<store::FileSystem> fs_;
    std::optional<Program> program_;
};

// ----- which fields each switch writes -----

struct WriteCase {
    const char* name;
    FiveSettings before;  // 粘贴或发送, 托盘图标, 隐藏运行, 跟随微信, 开机启动
    PanelSwitch which;
    FiveSettings after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

// Each start pattern puts the opposite value in the positions the switch
// must not touch wherever that is possible.
// clang-format off
const WriteCase kWriteCases[] = {
    {"PasteOnly",         {1, 1, 0, 1, 1}, PanelSwitch::kSelectPasteOnly,    {0, 1, 0, 1, 1}},
    {"PasteOnlyAgain",    {0, 1, 0, 1, 0}, PanelSwitch::kSelectPasteOnly,    {0, 1, 0, 1, 0}},
    {"PasteAndSend",      {0, 0, 0, 1, 0}, PanelSwitch::kSelectPasteAndSend, {1, 0, 0, 1, 0}},
    {"TrayIconOn",        {1, 0, 0, 1, 1}, PanelSwitch::kToggleTrayIcon,     {1, 1, 0, 1, 1}},
    {"TrayIconOff",       {0, 1, 0, 0, 0}, PanelSwitch::kToggleTrayIcon,     {0, 0, 0, 0, 0}},
    {"HidePanel",         {1, 0, 0, 0, 1}, PanelSwitch::kHidePanel,          {1, 1, 1, 0, 1}},
    {"ShowHideHides",     {0, 0, 0, 1, 0}, PanelSwitch::kToggleShowHide,     {0, 1, 1, 1, 0}},
    {"ShowHideShows",     {1, 1, 1, 0, 1}, PanelSwitch::kToggleShowHide,     {1, 1, 0, 0, 1}},
    {"ShowHideShowsTray", {0, 0, 1, 1, 0}, PanelSwitch::kToggleShowHide,     {0, 0, 0, 1, 0}},
    {"FollowOff",         {1, 1, 0, 1, 1}, PanelSwitch::kToggleFollow,       {1, 1, 0, 0, 1}},
    {"FollowOn",          {1, 1, 0, 0, 1}, PanelSwitch::kToggleFollow,       {1, 1, 0, 1, 1}},
    {"AutostartOn",       {1, 1, 1, 1, 0}, PanelSwitch::kToggleAutostart,    {1, 1, 1, 1, 1}},
    {"AutostartOff",      {0, 0, 0, 0, 1}, PanelSwitch::kToggleAutostart,    {0, 0, 0, 0, 0}},
    {"OpenManual",        {1, 0, 1, 0, 1}, PanelSwitch::kOpenManual,         {1, 0, 1, 0, 1}},
};
// clang-format on

class WriteTest : public SwitchesTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteTest, WritesItsPositionsAndLeavesTheOthers) {
    const WriteCase& c = GetParam();
    Start(c.before);

    Press(c.which);

    EXPECT_EQ(StoredSettings(), c.after);
    EXPECT_TRUE(os().messages.empty());
    EXPECT_FALSE(TableOpen());
}

INSTANTIATE_TEST_SUITE_P(Triggers, WriteTest, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SwitchesTest, TriggerTableMatchesTheFieldNames) {
    EXPECT_STREQ(kSettingFieldNames[kPasteOrSendPosition - 1], "粘贴或发送");
    EXPECT_STREQ(kSettingFieldNames[kTrayIconPosition - 1], "托盘图标");
    EXPECT_STREQ(kSettingFieldNames[kHiddenPosition - 1], "隐藏运行");
    EXPECT_STREQ(kSettingFieldNames[kFollowChatPosition - 1], "跟随微信");
    EXPECT_STREQ(kSettingFieldNames[kAutostartPosition - 1], "开机启动");
    const store::Values hide = ValuesFor(SettingTrigger::kHidePanel, true);
    ASSERT_EQ(hide.size(), 5u);
    EXPECT_EQ(hide[1], store::Value{true});
    EXPECT_EQ(hide[2], store::Value{true});
    EXPECT_FALSE(hide[0] || hide[3] || hide[4]);
}

// ----- the send mode -----

TEST_F(SwitchesTest, RadioButtonsSetTheSendMode) {
    Start({0, 0, 0, 1, 0});
    Press(PanelSwitch::kSelectPasteAndSend);
    EXPECT_EQ(state().send_mode, 1);
    Press(PanelSwitch::kSelectPasteOnly);
    EXPECT_EQ(state().send_mode, 0);
}

TEST_F(SwitchesTest, RadioWritesTheButtonsValueWhateverTheCheckMarkSays) {
    Start({0, 0, 0, 1, 0});
    program_->switches.OnSwitch(
        PanelSwitch::kSelectPasteAndSend);  // the paste button stays checked
    EXPECT_EQ(state().send_mode, 0);
    EXPECT_TRUE(StoredSettings()[0]);
}

// ----- "显示托盘图标" -----

TEST_F(SwitchesTest, TrayIconItemFirstKeepsTheIconShownAtStartThenRemovesIt) {
    Start({0, 0, 0, 0, 0});
    ASSERT_TRUE(os().tray_icon_present);
    ASSERT_FALSE(panel().Checked(MenuItem::kShowTrayIcon));

    Press(PanelSwitch::kToggleTrayIcon);
    EXPECT_TRUE(panel().Checked(MenuItem::kShowTrayIcon));
    EXPECT_EQ(state().tray_flag, 1);
    EXPECT_TRUE(os().tray_icon_present);
    EXPECT_TRUE(StoredSettings()[1]);

    Press(PanelSwitch::kToggleTrayIcon);
    EXPECT_FALSE(panel().Checked(MenuItem::kShowTrayIcon));
    EXPECT_EQ(state().tray_flag, 0);
    EXPECT_FALSE(os().tray_icon_present);
    EXPECT_FALSE(StoredSettings()[1]);
    EXPECT_EQ(log(), (CallLog{"check 显示托盘图标 on", "tray modify", "check 显示托盘图标 off",
                              "tray delete"}));
}

// ----- hide mode -----

TEST_F(SwitchesTest, HidePanelWhileFollowingStopsTheTimerFirst) {
    Start({0, 0, 0, 1, 0});
    program_->frame.RemoveTrayIcon();  // as if the icon had been switched off
    log().clear();

    Press(PanelSwitch::kHidePanel);

    EXPECT_EQ(log(), (CallLog{"timer 0", "hide window", "check 显示托盘图标 on",
                              "check 显示/隐藏 off", "enable 跟随微信 off", "tray add"}));
    EXPECT_EQ(state().hidden_flag, 1);
    EXPECT_EQ(state().tray_flag, 1);
    // Following, its check mark, the radio group and the mouse hook stay.
    EXPECT_EQ(state().follow_flag, 1);
    EXPECT_TRUE(panel().Checked(MenuItem::kFollowChat));
    EXPECT_TRUE(panel().radio_group_enabled);
    EXPECT_TRUE(plug_ins().mouse_hook);
}

TEST_F(SwitchesTest, HidePanelWithTheTrayFlagSetLeavesTheIconAlone) {
    Start({0, 1, 0, 0, 0});
    Press(PanelSwitch::kHidePanel);
    EXPECT_EQ(std::count(log().begin(), log().end(), "tray modify") +
                  std::count(log().begin(), log().end(), "tray add"),
              0);
}

struct LeaveCase {
    const char* name;
    FiveSettings start;
    bool hide_by_button;  // else the start itself was hidden
    CallLog expected;
};

TEST_F(SwitchesTest, ShowHideLeavesHideModeInItsOrder) {
    const LeaveCase cases[] = {
        {"hidden start, following: the hook is installed now",
         {0, 0, 1, 1, 0},
         false,
         {"enable 跟随微信 on", "timer 30", "install mouse hook", "show window",
          "check 显示/隐藏 on"}},
        {"hidden by the button while following: the hook is there already",
         {0, 0, 0, 1, 0},
         true,
         {"enable 跟随微信 on", "timer 30", "show window", "check 显示/隐藏 on"}},
        {"not following: the timer stays stopped",
         {0, 0, 1, 0, 0},
         false,
         {"enable 跟随微信 on", "show window", "check 显示/隐藏 on"}},
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Start(c.start);
        if (c.hide_by_button) Press(PanelSwitch::kHidePanel);
        log().clear();

        Press(PanelSwitch::kToggleShowHide);

        EXPECT_EQ(log(), c.expected);
        EXPECT_EQ(state().hidden_flag, 0);
        EXPECT_FALSE(StoredSettings()[2]);
    }
}

// ----- following -----

TEST_F(SwitchesTest, FollowOffWhileShownMovesThePanelToItsFixedPlace) {
    Start({0, 0, 0, 1, 0});

    Press(PanelSwitch::kToggleFollow);

    EXPECT_EQ(log(), (CallLog{"timer 0", "remove mouse hook", "show window", "set window top 200",
                              "set window left 1000", "set window height 630",
                              "set list height 430", "set edit top 563", "set add top 595",
                              "set manual top 595", "check 跟随微信 off", "disable radio group"}));
    EXPECT_EQ(state().follow_flag, 0);
    EXPECT_EQ(state().mouse_hook_started, 1);  // left alone
}

// On a scaled monitor the fixed place and the controls below the list are the
// same 96-DPI numbers in the monitor's pixels.
TEST_F(SwitchesTest, FollowOffScalesTheFixedPlaceToThePanelsDpi) {
    const struct {
        int dpi;
        CallLog steps;
    } cases[] = {
        {120,
         {"set window top 250", "set window left 1250", "set window height 788",
          "set list height 538", "set edit top 704", "set add top 744", "set manual top 744"}},
        {144,
         {"set window top 300", "set window left 1500", "set window height 945",
          "set list height 645", "set edit top 845", "set add top 893", "set manual top 893"}},
        {192,
         {"set window top 400", "set window left 2000", "set window height 1260",
          "set list height 860", "set edit top 1126", "set add top 1190", "set manual top 1190"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        Restart();
        panel().dpi = c.dpi;
        Start({0, 0, 0, 1, 0});

        Press(PanelSwitch::kToggleFollow);

        const CallLog& all = log();
        const auto first = std::find(all.begin(), all.end(), c.steps.front());
        ASSERT_NE(first, all.end()) << ::testing::PrintToString(all);
        EXPECT_EQ(CallLog(first, first + std::min<ptrdiff_t>(all.end() - first, 7)), c.steps);
    }
}

// The menu disables the item in hide mode; the handler still keeps the panel hidden.
TEST_F(SwitchesTest, FollowOffInHideModeKeepsThePanelHiddenWhereItIs) {
    Start({0, 0, 1, 1, 0});

    Press(PanelSwitch::kToggleFollow);

    EXPECT_EQ(log(), (CallLog{"timer 0", "remove mouse hook", "check 跟随微信 off",
                              "disable radio group"}));
    EXPECT_FALSE(panel().window_visible);
}

TEST_F(SwitchesTest, FollowOnLeavesTheDockingToTheNextTick) {
    Start({0, 0, 0, 0, 0});

    Press(PanelSwitch::kToggleFollow);

    EXPECT_EQ(log(), (CallLog{"check 跟随微信 on", "enable radio group", "timer 30",
                              "install mouse hook"}));
    EXPECT_EQ(state().follow_flag, 1);
    EXPECT_EQ(state().mouse_hook_started, 0);
}

// ----- the three modes stay consistent whatever the user does -----

void ExpectConsistentMode(const FakePanel& panel, const app::AppState& state,
                          const FakePlugIns& plug_ins, const FakeOs& os) {
    if (state.hidden_flag == 1) {
        EXPECT_FALSE(panel.window_visible);
        EXPECT_EQ(panel.timer_period, 0u);
        EXPECT_FALSE(panel.Checked(MenuItem::kShowHide));
        EXPECT_FALSE(panel.Enabled(MenuItem::kFollowChat));
        EXPECT_EQ(panel.Checked(MenuItem::kFollowChat), state.follow_flag == 1);
        EXPECT_EQ(state.tray_flag, 1);
        EXPECT_TRUE(os.tray_icon_present);
    } else if (state.follow_flag == 1) {
        EXPECT_TRUE(panel.window_visible);
        EXPECT_EQ(panel.timer_period, app::kDockPeriodMs);
        EXPECT_TRUE(panel.Checked(MenuItem::kShowHide));
        EXPECT_TRUE(panel.Enabled(MenuItem::kFollowChat));
        EXPECT_TRUE(panel.Checked(MenuItem::kFollowChat));
        EXPECT_TRUE(panel.radio_group_enabled);
        EXPECT_TRUE(plug_ins.mouse_hook);
    } else {
        EXPECT_TRUE(panel.window_visible);
        EXPECT_EQ(panel.timer_period, 0u);
        EXPECT_TRUE(panel.Checked(MenuItem::kShowHide));
        EXPECT_TRUE(panel.Enabled(MenuItem::kFollowChat));
        EXPECT_FALSE(panel.Checked(MenuItem::kFollowChat));
        EXPECT_FALSE(panel.radio_group_enabled);
    }
}

TEST_F(SwitchesTest, EverySequenceOfVisibilitySwitchesEndsInOneOfTheThreeModes) {
    const PanelSwitch kMoves[] = {PanelSwitch::kToggleShowHide, PanelSwitch::kToggleFollow,
                                  PanelSwitch::kHidePanel};
    for (int start = 0; start < 32; ++start) {
        for (int moves = 0; moves < 81; ++moves) {  // four steps of three kinds
            SCOPED_TRACE("start bits " + std::to_string(start) + ", moves " +
                         std::to_string(moves));
            Restart();
            Start({(start & 1) != 0, (start & 2) != 0, (start & 4) != 0, (start & 8) != 0,
                   (start & 16) != 0});
            ExpectConsistentMode(panel(), state(), plug_ins(), os());
            for (int step = 0, m = moves; step < 4; ++step, m /= 3) {
                const PanelSwitch move = kMoves[m % 3];
                // While hidden the panel's button is out of sight and "跟随微信" disabled.
                if (state().hidden_flag == 1 && move != PanelSwitch::kToggleShowHide) continue;
                program_->switches.OnSwitch(move);
                ExpectConsistentMode(panel(), state(), plug_ins(), os());
                const FiveSettings stored = StoredSettings();
                EXPECT_EQ(stored[2], state().hidden_flag == 1);
                EXPECT_EQ(stored[3], state().follow_flag == 1);
            }
            if (HasFailure()) return;
        }
    }
}

// ----- failures -----

struct FailureCase {
    PanelSwitch which;
    size_t messages;
};

TEST_F(SwitchesTest, TableGoneAfterStartUpIsReportedByAllButTheRadioButtons) {
    const FailureCase cases[] = {
        {PanelSwitch::kSelectPasteOnly, 0}, {PanelSwitch::kSelectPasteAndSend, 0},
        {PanelSwitch::kToggleTrayIcon, 1},  {PanelSwitch::kHidePanel, 1},
        {PanelSwitch::kToggleShowHide, 2},  // hides: two writes, two messages
        {PanelSwitch::kToggleFollow, 1},    {PanelSwitch::kToggleAutostart, 1},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.which));
        Restart();
        Start({0, 0, 0, 1, 0});
        std::filesystem::remove("设置.RTB");
        os().messages.clear();

        Press(c.which);

        ASSERT_EQ(os().messages.size(), c.messages);
        for (const FakeOs::Message& m : os().messages) {
            EXPECT_EQ(m.text, "设置数据库打开失败！");
            EXPECT_EQ(m.caption, "信息：");
            EXPECT_EQ(m.icon, app::MessageIcon::kError);
        }
        EXPECT_FALSE(TableOpen());
    }
}

TEST_F(SwitchesTest, ChangesStayInMemoryWhenTheTableIsGone) {
    Start({0, 0, 0, 1, 0});
    std::filesystem::remove("设置.RTB");

    Press(PanelSwitch::kSelectPasteAndSend);
    Press(PanelSwitch::kToggleTrayIcon);
    Press(PanelSwitch::kToggleFollow);

    EXPECT_EQ(state().send_mode, 1);
    EXPECT_EQ(state().tray_flag, 1);
    EXPECT_TRUE(panel().Checked(MenuItem::kShowTrayIcon));
    EXPECT_EQ(state().follow_flag, 0);
    EXPECT_FALSE(panel().radio_group_enabled);
}

TEST_F(SwitchesTest, TableWithoutItsRecordIsReportedByTheRadioButtonsOnly) {
    MakeSettingsTable(*fs_, std::nullopt);
    program_->frame.MainWindowCreated();
    for (PanelSwitch which :
         {PanelSwitch::kToggleTrayIcon, PanelSwitch::kHidePanel, PanelSwitch::kToggleShowHide,
          PanelSwitch::kToggleFollow, PanelSwitch::kToggleAutostart}) {
        Press(which);
    }
    EXPECT_TRUE(os().messages.empty());

    Press(PanelSwitch::kSelectPasteAndSend);
    Press(PanelSwitch::kSelectPasteOnly);

    ASSERT_EQ(os().messages.size(), 2u);
    for (const FakeOs::Message& m : os().messages) {
        EXPECT_EQ(m.text, "修改设置出错！");
        EXPECT_EQ(m.caption, "信息：");
        EXPECT_EQ(m.icon, app::MessageIcon::kNone);
    }
    EXPECT_EQ(state().send_mode, 0);
    EXPECT_FALSE(TableOpen());
}

// ----- the manual and the tray icon's clicks -----

TEST_F(SwitchesTest, ManualOpensThroughTheShellByItsRelativeName) {
    Start({0, 0, 0, 0, 0});
    Press(PanelSwitch::kOpenManual);
    EXPECT_EQ(log(), CallLog{"open 使用说明.txt"});
}

TEST_F(SwitchesTest, OnlyARightClickOnTheTrayIconOpensTheMenu) {
    program_->pointer.cursor = {1250, 1010};
    program_->host.receives = true;
    program_->switches.OnTrayEvent(1);
    program_->switches.OnTrayEvent(2);
    program_->switches.OnTrayEvent(0);
    EXPECT_TRUE(log().empty());
}

TEST_F(SwitchesTest, TrayClickGoesOnlyWhereThePanelItselfReceivesIt) {
    // The icon at the screen's bottom right: the point lies off the screen,
    // so no click, lest it hit the corner's "Show desktop".
    program_->host.origin = {490, 187};
    program_->pointer.cursor = {1250, 1010};
    program_->switches.OnTrayEvent(3);
    EXPECT_EQ(program_->host.asked, (std::vector<ScreenPoint>{{1740, 1197}}));
    EXPECT_EQ(log(), CallLog{"tray menu at 1245,1005"});

    log().clear();
    program_->host.origin = {1000, 200};
    program_->pointer.cursor = {40, 12};
    program_->host.receives = true;
    program_->switches.OnTrayEvent(3);
    EXPECT_EQ(log(), (CallLog{"click 1040,212", "pump", "tray menu at 35,7"}));
}

}  // namespace
}  // namespace tovanel::settings::testing
