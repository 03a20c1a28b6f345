// The single-instance guard: a first copy passes at once; a second one says
// so, brings the running copy's window forward when it finds it, and ends.
#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "fake_instance.h"
#include "fakes.h"
#include "store/file_port.h"

namespace tovanel::app::testing {
namespace {

constexpr uint32_t kRunningPid = 100;
constexpr uint32_t kOwnPid = 200;

class SingleInstanceTest : public ::testing::Test {
  protected:
    SingleInstanceTest()
        : names_(store::MakeOsFileSystem()),
          marker_(log_),
          processes_(log_),
          windows_(log_),
          os_(log_),
          guard_(marker_, processes_, windows_, os_, *names_) {
        processes_.own_pid = kOwnPid;
    }

    // Runs the guard; the exit code when it ended the process.
    std::optional<int> Guard() {
        try {
            guard_.SingleInstanceGuard();
        } catch (const ProcessEnded& ended) {
            return ended.exit_code;
        }
        return std::nullopt;
    }

    std::unique_ptr<store::FileSystem> names_;
    CallLog log_;
    FakeMarker marker_;
    FakeProcesses processes_;
    FakeWindows windows_;
    FakeOs os_;
    InstanceGuard guard_;
};

TEST_F(SingleInstanceTest, FirstCopyPassesWithoutLookingFurther) {
    EXPECT_EQ(Guard(), std::nullopt);
    EXPECT_EQ(log_, CallLog{"mark presence"});
    EXPECT_TRUE(windows_.examined.empty());
}

TEST_F(SingleInstanceTest, SecondCopyBringsTheRunningWindowForwardAndEnds) {
    marker_.already_exists = true;
    processes_.entries = {
        {4, "explorer.exe"}, {kRunningPid, "Velquin.exe"}, {kOwnPid, "Velquin.exe"}};
    windows_.z_order = {{11, kRunningPid, false}, {12, 7}, {13, kRunningPid}};

    EXPECT_EQ(Guard(), 0);

    EXPECT_EQ(log_, (CallLog{"mark presence", "message", "snapshot", "activate 13", "exit 0"}));
    ASSERT_EQ(os_.messages.size(), 1u);
    EXPECT_EQ(os_.messages[0].text, "检测到系统已有相同程序在运行，请勿重复运行本程序");
    EXPECT_EQ(os_.messages[0].caption, "友情提醒:");
    EXPECT_EQ(os_.messages[0].icon, MessageIcon::kInformation);
}

// Every way of not finding the window ends the same: message, nothing activated, code 0.
struct NotFoundCase {
    const char* name;
    std::vector<ProcessEntry> processes;
    std::vector<FakeWindow> windows;
};

TEST_F(SingleInstanceTest, SecondCopyThatFindsNoWindowJustEnds) {
    const NotFoundCase cases[] = {
        {"no snapshot", {}, {{13, kRunningPid}}},
        {"only this copy runs the file", {{kOwnPid, "Velquin.exe"}}, {{13, kOwnPid}}},
        {"running copy in hide mode", {{kRunningPid, "Velquin.exe"}}, {{13, kRunningPid, false}}},
        {"only an owned pop-up", {{kRunningPid, "Velquin.exe"}}, {{13, kRunningPid, true, true}}},
        {"no windows at all", {{kRunningPid, "Velquin.exe"}}, {}},
    };
    for (const NotFoundCase& c : cases) {
        SCOPED_TRACE(c.name);
        log_.clear();
        marker_.already_exists = true;
        processes_.entries = c.processes;
        windows_.z_order = c.windows;

        EXPECT_EQ(Guard(), 0);
        EXPECT_EQ(log_, (CallLog{"mark presence", "message", "snapshot", "exit 0"}));
    }
}

TEST_F(SingleInstanceTest, RunningCopyIsFoundByFileNameIgnoringCase) {
    processes_.entries = {{kOwnPid, "Velquin.exe"},  // listed first: never itself
                          {3, "Velquin.exe.bak"},
                          {4, "Velquin"},
                          {kRunningPid, "VELQUIN.EXE"},
                          {6, "velquin.exe"}};
    EXPECT_EQ(guard_.FindRunningCopy(), kRunningPid);

    processes_.own_file = "面板 v2.exe";
    processes_.entries = {{4, "面板 v3.exe"}, {kRunningPid, "面板 V2.EXE"}};
    EXPECT_EQ(guard_.FindRunningCopy(), kRunningPid);

    processes_.entries = {{4, "Velquin.exe"}};  // a copy under another name is not seen
    EXPECT_EQ(guard_.FindRunningCopy(), std::nullopt);
}

TEST_F(SingleInstanceTest, WindowSearchPumpsBetweenForeignWindowsOnly) {
    windows_.z_order = {
        {1, kRunningPid, false}, {2, 7}, {3, 8}, {4, kRunningPid, true, true}, {5, kRunningPid}};

    EXPECT_EQ(guard_.FindProcessWindow(kRunningPid), 5u);

    EXPECT_EQ(windows_.examined, (std::vector<WindowHandle>{1, 2, 3, 4, 5}));
    // Invisible windows are passed at once; visible non-matches dispatch messages.
    EXPECT_EQ(windows_.pumps, 3);
}

TEST_F(SingleInstanceTest, WindowSearchGivesUpAfterItsBudget) {
    for (WindowHandle w = 1; w <= 500; ++w) windows_.z_order.push_back({w, 7});
    windows_.z_order.push_back({999, kRunningPid});
    windows_.ms_per_window = 1;

    EXPECT_EQ(guard_.FindProcessWindow(kRunningPid), 0u);
    EXPECT_EQ(windows_.examined.size(), kWindowSearchBudgetMs);
}

TEST_F(SingleInstanceTest, WindowSearchBudgetHoldsAcrossTheTickCountWrap) {
    windows_.now = 0xFFFFFFF0u;
    windows_.ms_per_window = 10;
    windows_.z_order = {{1, 7}, {2, 7}, {3, kRunningPid}};
    EXPECT_EQ(guard_.FindProcessWindow(kRunningPid), 3u);
}

}  // namespace
}  // namespace tovanel::app::testing
