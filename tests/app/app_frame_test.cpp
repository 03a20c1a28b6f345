// Start-up, ApplySettings and shutdown over real settings tables and fakes of
// the panel, the OS and the plug-ins.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/app_frame.h"
#include "fakes.h"
#include "settings_fixture.h"

namespace tovanel::app::testing {
namespace {

class AppFrameTest : public ::testing::Test {
  protected:
    AppFrameTest()
        : fs_(store::MakeOsFileSystem()),
          store_(*fs_),
          panel_(log_),
          os_(log_),
          plug_ins_(log_),
          frame_(state_, panel_, os_, plug_ins_, store_) {}

    // Runs start-up; returns the exit code when it ended the process.
    std::optional<int> Start() {
        try {
            frame_.MainWindowCreated();
        } catch (const ProcessEnded& ended) {
            return ended.exit_code;
        }
        return std::nullopt;
    }
    int Close() {
        try {
            frame_.MainWindowClosing();
        } catch (const ProcessEnded& ended) {
            return ended.exit_code;
        }
        ADD_FAILURE() << "MainWindowClosing returned";
        return -999;
    }
    bool Logged(const std::string& call) const {
        return std::find(log_.begin(), log_.end(), call) != log_.end();
    }
    // Calls from `first` on, the way they were made.
    CallLog LogFrom(const std::string& first) const {
        return CallLog(std::find(log_.begin(), log_.end(), first), log_.end());
    }

    ScratchDirectory dir_;
    std::unique_ptr<store::FileSystem> fs_;
    store::RecordStore store_;
    CallLog log_;
    AppState state_;
    FakePanel panel_;
    FakeOs os_;
    FakePlugIns plug_ins_;
    AppFrame frame_;
};

// What the panel shows after start-up, for one set of stored settings.
struct StartCase {
    const char* name;
    FiveSettings stored;  // 粘贴或发送, 托盘图标, 隐藏运行, 跟随微信, 开机启动
    bool visible;
    RadioButton radio;
    bool group_enabled;
    uint32_t timer;
    bool mouse_hook;  // installed, and the started flag set
    bool show_tray_checked;
    bool show_hide_checked;
    bool follow_checked;
    bool follow_enabled;
    bool autostart_checked;
    int32_t tray_flag;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr RadioButton kPaste = RadioButton::kPaste;
constexpr RadioButton kSend = RadioButton::kSend;

// clang-format off
const StartCase kStartCases[] = {
    // name               stored (send tray hide follow auto) vis  radio  group timer hook  trayC  showC  follC  follE  autoC tray
    {"AllFalse",          {0, 0, 0, 0, 0},                    true,  kPaste, false, 0,  false, false, true,  false, true,  false, 0},
    {"SendMode",          {1, 0, 0, 0, 0},                    true,  kSend,  false, 0,  false, false, true,  false, true,  false, 0},
    {"TrayOnly",          {0, 1, 0, 0, 0},                    true,  kPaste, false, 0,  false, true,  true,  false, true,  false, 1},
    {"HiddenOnly",        {0, 0, 1, 0, 0},                    false, kPaste, false, 0,  false, true,  false, false, false, false, 1},
    {"Following",         {0, 0, 0, 1, 0},                    true,  kPaste, true,  30, true,  false, true,  true,  true,  false, 0},
    {"FollowingHidden",   {0, 0, 1, 1, 0},                    false, kPaste, true,  0,  false, true,  false, true,  false, false, 1},
    {"Autostart",         {0, 0, 0, 0, 1},                    true,  kPaste, false, 0,  false, false, true,  false, true,  true,  0},
    {"FollowingWithTray", {1, 1, 0, 1, 1},                    true,  kSend,  true,  30, true,  true,  true,  true,  true,  true,  1},
    {"AllTrue",           {1, 1, 1, 1, 1},                    false, kSend,  true,  0,  false, true,  false, true,  false, true,  1},
};
// clang-format on

class StartCaseTest : public AppFrameTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartCaseTest, PanelMatchesStoredSettings) {
    const StartCase& c = GetParam();
    MakeSettingsTable(*fs_, c.stored);

    ASSERT_EQ(Start(), std::nullopt);

    EXPECT_EQ(panel_.window_visible, c.visible);
    EXPECT_EQ(panel_.checked_radio, c.radio);
    EXPECT_EQ(panel_.radio_group_enabled, c.group_enabled);
    EXPECT_EQ(panel_.timer_period, c.timer);
    EXPECT_EQ(plug_ins_.mouse_hook, c.mouse_hook);
    EXPECT_EQ(state_.mouse_hook_started, c.mouse_hook ? 1 : 0);
    EXPECT_EQ(panel_.Checked(MenuItem::kShowTrayIcon), c.show_tray_checked);
    EXPECT_EQ(panel_.Checked(MenuItem::kShowHide), c.show_hide_checked);
    EXPECT_EQ(panel_.Checked(MenuItem::kFollowChat), c.follow_checked);
    EXPECT_EQ(panel_.Enabled(MenuItem::kFollowChat), c.follow_enabled);
    EXPECT_EQ(panel_.Checked(MenuItem::kAutostart), c.autostart_checked);
    EXPECT_EQ(state_.tray_flag, c.tray_flag);
    // The tray icon is there after start-up whatever the tray flag says.
    EXPECT_TRUE(os_.tray_icon_present);
    EXPECT_TRUE(frame_.TrayIconShown());
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "tray add"), 1);
    EXPECT_TRUE(plug_ins_.keyboard_hook);
    EXPECT_TRUE(os_.messages.empty());
    // Start-up never enables what it did not disable.
    EXPECT_TRUE(panel_.Enabled(MenuItem::kShowTrayIcon));
    EXPECT_TRUE(panel_.Enabled(MenuItem::kAutostart));
}

INSTANTIATE_TEST_SUITE_P(Settings, StartCaseTest, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFrameTest, ReadsEachSettingIntoItsFlag) {
    MakeSettingsTable(*fs_, FiveSettings{1, 0, 0, 1, 1});
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_EQ(state_.send_mode, 1);
    EXPECT_EQ(state_.tray_flag, 0);
    EXPECT_EQ(state_.hidden_flag, 0);
    EXPECT_EQ(state_.follow_flag, 1);
    EXPECT_EQ(state_.autostart_flag, 1);
}

// Rules that hold for every combination of the five settings.
TEST_F(AppFrameTest, EveryCombinationKeepsTheStartUpRules) {
    for (int bits = 0; bits < 32; ++bits) {
        const FiveSettings s = {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0,
                                (bits & 16) != 0};
        const bool hidden = s[2], follow = s[3];
        SCOPED_TRACE("settings bits " + std::to_string(bits));
        CallLog log;
        AppState state;
        FakePanel panel(log);
        FakeOs os(log);
        FakePlugIns plug_ins(log);
        std::filesystem::remove("设置.RTB");
        MakeSettingsTable(*fs_, s);
        AppFrame frame(state, panel, os, plug_ins, store_);
        frame.MainWindowCreated();

        EXPECT_EQ(panel.window_visible, !hidden);
        EXPECT_EQ(panel.timer_period, follow && !hidden ? kDockPeriodMs : 0u);
        EXPECT_EQ(plug_ins.mouse_hook, follow && !hidden);
        EXPECT_EQ(panel.radio_group_enabled, follow);
        EXPECT_EQ(state.tray_flag, s[1] || hidden ? 1 : 0);
        EXPECT_TRUE(os.tray_icon_present);
        EXPECT_TRUE(plug_ins.keyboard_hook);
        EXPECT_FALSE(store_.HasCurrentTable());
        // Later start-up steps come after the settings are applied, in this order.
        ASSERT_GE(log.size(), 4u);
        EXPECT_EQ(log.front(), "single instance guard");
        EXPECT_EQ(CallLog(log.end() - 3, log.end()),
                  (CallLog{"refill reply list", "install keyboard hook", "register drop target"}));
    }
}

TEST_F(AppFrameTest, EmptySettingsTableReadsAsAllFalse) {
    MakeSettingsTable(*fs_, std::nullopt);
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_EQ(state_.send_mode, 0);
    EXPECT_EQ(state_.tray_flag, 0);
    EXPECT_TRUE(panel_.window_visible);
    EXPECT_FALSE(panel_.radio_group_enabled);
    EXPECT_TRUE(os_.tray_icon_present);
}

// A settings table that cannot be opened ends the start-up with one message.
struct UnopenableCase {
    const char* name;
    void (*prepare)(store::FileSystem& fs);
};

void PrintTo(const UnopenableCase& c, std::ostream* os) {
    *os << c.name;
}

const UnopenableCase kUnopenableCases[] = {
    {"Missing", [](store::FileSystem&) {}},
    {"WrongPassword",
     [](store::FileSystem& fs) { MakeSettingsTable(fs, FiveSettings{}, "999999"); }},
    {"NotATable",
     [](store::FileSystem&) { std::ofstream("设置.RTB") << "this is no record table"; }},
    {"EmptyFile", [](store::FileSystem&) { std::ofstream("设置.RTB").flush(); }},
};

class UnopenableTest : public AppFrameTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenableTest, ShowsOneMessageAndEnds) {
    GetParam().prepare(*fs_);

    EXPECT_EQ(Start(), kExitNoSettingsTable);

    ASSERT_EQ(os_.messages.size(), 1u);
    EXPECT_EQ(os_.messages[0].text, "数据库打开失败！");
    EXPECT_EQ(os_.messages[0].caption, "信息：");
    EXPECT_EQ(os_.messages[0].icon, MessageIcon::kError);
    EXPECT_NE(kExitNoSettingsTable, 0);
    // Nothing of the start-up after the open has happened.
    EXPECT_EQ(log_, (CallLog{"single instance guard", "message", "exit 1"}));
    EXPECT_FALSE(panel_.window_visible);
    EXPECT_FALSE(os_.tray_icon_present);
    EXPECT_FALSE(store_.HasCurrentTable());
}

INSTANTIATE_TEST_SUITE_P(SettingsTable, UnopenableTest, ::testing::ValuesIn(kUnopenableCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFrameTest, TextFieldInPlaceOfALogicalEndsWithAnError) {
    std::vector<store::FieldInfo> fields = SettingsSchema();
    fields[2] = {"隐藏运行", store::kFixedText, 6, 4};
    fields[3].offset = 10;
    fields[4].offset = 11;
    MakeSettingsTable(*fs_, FiveSettings{}, settings::kTablePassword, fields);

    EXPECT_EQ(Start(), kExitFatal);
    ASSERT_EQ(os_.messages.size(), 1u);
    EXPECT_NE(os_.messages[0].text.find("隐藏运行"), std::string::npos);
    EXPECT_EQ(os_.messages[0].icon, MessageIcon::kError);
    EXPECT_FALSE(panel_.window_visible);
    EXPECT_FALSE(Logged("tray add"));
    EXPECT_FALSE(store_.HasCurrentTable());
}

TEST(AppFrameDeathTest, MissingSettingFieldIsFatal) {
    ScratchDirectory dir;
    auto fs = store::MakeOsFileSystem();
    std::vector<store::FieldInfo> fields = SettingsSchema();
    fields.pop_back();  // no "开机启动"
    MakeSettingsTable(*fs, FiveSettings{}, settings::kTablePassword, fields);
    EXPECT_EXIT(
        {
            store::RecordStore store(*fs);
            CallLog log;
            AppState state;
            FakePanel panel(log);
            FakeOs os(log);
            FakePlugIns plug_ins(log);
            AppFrame(state, panel, os, plug_ins, store).MainWindowCreated();
        },
        ::testing::ExitedWithCode(255), "");
}

TEST_F(AppFrameTest, GuardThatEndsTheProcessStopsStartUp) {
    struct EndingGuard : FakePlugIns {
        using FakePlugIns::FakePlugIns;
        void SingleInstanceGuard() override { throw ProcessEnded{0}; }
    } guard(log_);
    MakeSettingsTable(*fs_, FiveSettings{1, 1, 0, 1, 1});
    AppFrame frame(state_, panel_, os_, guard, store_);

    EXPECT_THROW(frame.MainWindowCreated(), ProcessEnded);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(state_.send_mode, 0);
    EXPECT_FALSE(panel_.window_visible);
}

TEST_F(AppFrameTest, ShutdownWithTrayFlagRemovesTheIconInOrder) {
    MakeSettingsTable(*fs_, FiveSettings{0, 1, 0, 1, 0});
    ASSERT_EQ(Start(), std::nullopt);

    EXPECT_EQ(Close(), 0);

    EXPECT_EQ(LogFrom("remove mouse hook"),
              (CallLog{"remove mouse hook", "remove keyboard hook", "tray delete",
                       "revoke drop target", "sleep 10", "pump", "exit 0"}));
    EXPECT_FALSE(os_.tray_icon_present);
}

TEST_F(AppFrameTest, ShutdownWithoutTrayFlagLeavesTheIcon) {
    MakeSettingsTable(*fs_, FiveSettings{});
    ASSERT_EQ(Start(), std::nullopt);
    ASSERT_EQ(state_.tray_flag, 0);

    EXPECT_EQ(Close(), 0);

    EXPECT_EQ(LogFrom("remove mouse hook"),
              (CallLog{"remove mouse hook", "remove keyboard hook", "revoke drop target",
                       "sleep 10", "pump", "exit 0"}));
    EXPECT_TRUE(os_.tray_icon_present);
}

TEST_F(AppFrameTest, HiddenStartSetsTheTrayFlagSoShutdownRemovesTheIcon) {
    MakeSettingsTable(*fs_, FiveSettings{0, 0, 1, 0, 0});
    ASSERT_EQ(Start(), std::nullopt);
    EXPECT_EQ(Close(), 0);
    EXPECT_TRUE(Logged("tray delete"));
    EXPECT_FALSE(os_.tray_icon_present);
}

TEST_F(AppFrameTest, CloseMainWindowOnlyAsksForTheDestruction) {
    MakeSettingsTable(*fs_, FiveSettings{});
    ASSERT_EQ(Start(), std::nullopt);
    log_.clear();

    frame_.CloseMainWindow();

    EXPECT_TRUE(panel_.destroy_requested);
    EXPECT_EQ(log_, CallLog{"request destroy"});
}

TEST_F(AppFrameTest, TrayIconIsAddedOnceThenRefreshed) {
    frame_.ShowTrayIcon();
    frame_.ShowTrayIcon();
    frame_.RemoveTrayIcon();
    frame_.RemoveTrayIcon();
    EXPECT_EQ(log_, (CallLog{"tray add", "tray modify", "tray delete"}));
    EXPECT_FALSE(frame_.TrayIconShown());
}

TEST_F(AppFrameTest, TrayIconLostByTheShellIsAddedAgain) {
    frame_.ShowTrayIcon();
    os_.tray_icon_present = false;  // the taskbar restarted
    frame_.OnTaskbarCreated();
    EXPECT_TRUE(os_.tray_icon_present);

    os_.tray_icon_present = false;
    frame_.ShowTrayIcon();  // the refresh fails, so it adds
    EXPECT_TRUE(os_.tray_icon_present);
    EXPECT_EQ(log_, (CallLog{"tray add", "tray add", "tray modify", "tray add"}));
}

TEST_F(AppFrameTest, RemovedOrFailedTrayIconIsNotBroughtBack) {
    os_.add_tray_fails = true;
    frame_.ShowTrayIcon();
    EXPECT_FALSE(frame_.TrayIconShown());
    frame_.RemoveTrayIcon();  // nothing to remove
    os_.add_tray_fails = false;
    frame_.OnTaskbarCreated();
    EXPECT_EQ(log_, CallLog{"tray add"});
}

TEST_F(AppFrameTest, TimerAndDropsReachTheirPlugIns) {
    frame_.OnTimer();
    frame_.OnFileDropped("C:\\a\\b.txt");
    EXPECT_EQ(log_, (CallLog{"dock tick", "accept dropped C:\\a\\b.txt"}));
}

}  // namespace
}  // namespace tovanel::app::testing
