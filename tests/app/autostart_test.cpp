// Start with Windows: the Run value's text, where it is written and deleted,
// and the tray item "开机启动" over a real settings table.
#include <gtest/gtest.h>

#include "app/autostart.h"
#include "fake_registry.h"
#include "fakes.h"
#include "settings_fixture.h"

namespace tovanel::app::testing {
namespace {

using Root = RegistryRoot;

struct DataCase {
    const char* folder;
    const char* data;
};

TEST(RunValueDataTest, NamesVelquinExeInTheFolderInQuotes) {
    const DataCase cases[] = {
        {"D:\\Tools", "\"D:\\Tools\\Velquin.exe\""},
        {"C:\\Program Files\\Velquin 程序", "\"C:\\Program Files\\Velquin 程序\\Velquin.exe\""},
        {"C:", "\"C:\\Velquin.exe\""},
        {"\\\\server\\share\\工具", "\"\\\\server\\share\\工具\\Velquin.exe\""},
    };
    for (const DataCase& c : cases) EXPECT_EQ(RunValueData(c.folder), c.data) << c.folder;
}

class RunValueTest : public ::testing::Test {
  protected:
    bool HasValue(Root root) const {
        return registry_.values.count({root, kRunKeyPath, kRunValueName}) == 1;
    }
    FakeRegistry registry_;
};

TEST_F(RunValueTest, WritesAStringWithItsTerminatingZeroUnderTheMachineKey) {
    const std::string data = RunValueData("C:\\Program Files\\Velquin");

    EXPECT_TRUE(SetRunValue(registry_, data));

    ASSERT_EQ(registry_.values.size(), 1u);
    const FakeRegistry::Stored& stored =
        registry_.values.at({Root::kLocalMachine, kRunKeyPath, kRunValueName});
    EXPECT_EQ(stored.type, 1u);  // REG_SZ
    EXPECT_EQ(stored.bytes, data + '\0');
    EXPECT_EQ(stored.bytes.size(), data.size() + 1);
    EXPECT_EQ(std::string(kRunKeyPath), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(std::string(kRunValueName), "Velquin");
}

TEST_F(RunValueTest, WithoutRightsOnTheMachineKeyWritesTheUserKey) {
    registry_.writable = {Root::kCurrentUser};

    EXPECT_TRUE(SetRunValue(registry_, "\"D:\\Tools\\Velquin.exe\""));

    EXPECT_FALSE(HasValue(Root::kLocalMachine));
    ASSERT_TRUE(HasValue(Root::kCurrentUser));
    EXPECT_EQ(registry_.values.at({Root::kCurrentUser, kRunKeyPath, kRunValueName}).bytes,
              std::string("\"D:\\Tools\\Velquin.exe\"") + '\0');
    EXPECT_EQ(registry_.calls, (CallLog{"set HKLM", "set HKCU"}));
}

TEST_F(RunValueTest, NothingWritableReportsFailure) {
    registry_.writable.clear();
    EXPECT_FALSE(SetRunValue(registry_, "\"D:\\Tools\\Velquin.exe\""));
    EXPECT_TRUE(registry_.values.empty());
}

TEST_F(RunValueTest, DeleteRemovesTheValueFromBothPlaces) {
    for (Root root : {Root::kLocalMachine, Root::kCurrentUser}) {
        registry_.SetValue(root, kRunKeyPath, kRunValueName, 1, "x");
        registry_.SetValue(root, kRunKeyPath, "Other", 1, "y");
    }

    DeleteRunValue(registry_);

    EXPECT_FALSE(HasValue(Root::kLocalMachine));
    EXPECT_FALSE(HasValue(Root::kCurrentUser));
    EXPECT_EQ(registry_.values.size(), 2u);  // the other programs' values stay
}

TEST_F(RunValueTest, AMissingValueFallsBackToDeletingASubkeyOfItsName) {
    registry_.keys.insert({Root::kCurrentUser, std::string(kRunKeyPath) + "\\Velquin"});
    registry_.SetValue(Root::kLocalMachine, kRunKeyPath, kRunValueName, 1, "x");
    registry_.calls.clear();

    DeleteRunValue(registry_);

    const std::string subkey = std::string(kRunKeyPath) + "\\Velquin";
    EXPECT_EQ(registry_.calls,
              (CallLog{"delete value HKLM", "delete value HKCU", "delete key HKCU " + subkey}));
    EXPECT_FALSE(registry_.keys.count({Root::kCurrentUser, subkey}));
}

class ToggleAutostartTest : public ::testing::Test {
  protected:
    ToggleAutostartTest()
        : fs_(store::MakeOsFileSystem()),
          store_(*fs_),
          panel_(log_),
          os_(log_),
          writer_(store_, os_),
          autostart_(state_, panel_, registry_, writer_, "C:\\Program Files\\Velquin") {}

    bool Stored() {
        EXPECT_TRUE(store_.OpenTable(settings::kSettingsTableName, settings::kTablePassword));
        const store::Value value = store_.ReadField("开机启动");
        store_.CloseTable();
        return std::get<bool>(value);
    }

    ScratchDirectory dir_;
    std::unique_ptr<store::FileSystem> fs_;
    store::RecordStore store_;
    CallLog log_;
    AppState state_;
    FakePanel panel_;
    FakeOs os_;
    FakeRegistry registry_;
    settings::SettingsWriter writer_;
    Autostart autostart_;
};

TEST_F(ToggleAutostartTest, OnWritesTheValueThenOffDeletesIt) {
    MakeSettingsTable(*fs_, FiveSettings{1, 0, 1, 0, 0});

    autostart_.ToggleAutostart();
    EXPECT_EQ(state_.autostart_flag, 1);
    EXPECT_TRUE(panel_.Checked(MenuItem::kAutostart));
    EXPECT_TRUE(Stored());
    EXPECT_EQ(registry_.values.at({Root::kLocalMachine, kRunKeyPath, kRunValueName}).bytes,
              std::string("\"C:\\Program Files\\Velquin\\Velquin.exe\"") + '\0');

    autostart_.ToggleAutostart();
    EXPECT_EQ(state_.autostart_flag, 0);
    EXPECT_FALSE(panel_.Checked(MenuItem::kAutostart));
    EXPECT_FALSE(Stored());
    EXPECT_TRUE(registry_.values.empty());
    EXPECT_TRUE(os_.messages.empty());
}

TEST_F(ToggleAutostartTest, AUserWithoutAdministratorRightsIsRegisteredForHimself) {
    MakeSettingsTable(*fs_, FiveSettings{});
    registry_.writable = {Root::kCurrentUser};

    autostart_.ToggleAutostart();
    EXPECT_EQ(registry_.values.count({Root::kCurrentUser, kRunKeyPath, kRunValueName}), 1u);

    autostart_.ToggleAutostart();
    EXPECT_TRUE(registry_.values.empty());
}

// As specified, the switch flips and is stored whatever the registry did.
TEST_F(ToggleAutostartTest, ARegistryThatRefusesEverythingStillFlipsTheSwitch) {
    MakeSettingsTable(*fs_, FiveSettings{});
    registry_.writable.clear();

    autostart_.ToggleAutostart();

    EXPECT_EQ(state_.autostart_flag, 1);
    EXPECT_TRUE(panel_.Checked(MenuItem::kAutostart));
    EXPECT_TRUE(Stored());
    EXPECT_TRUE(os_.messages.empty());
}

TEST_F(ToggleAutostartTest, ATableGoneAfterStartUpIsReportedAfterTheRegistryChanged) {
    autostart_.ToggleAutostart();

    EXPECT_EQ(state_.autostart_flag, 1);
    EXPECT_EQ(registry_.values.size(), 1u);
    ASSERT_EQ(os_.messages.size(), 1u);
    EXPECT_EQ(os_.messages[0].text, "设置数据库打开失败！");
    EXPECT_EQ(os_.messages[0].icon, MessageIcon::kError);
}

}  // namespace
}  // namespace tovanel::app::testing
