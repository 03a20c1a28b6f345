// ClickAt's offset rules, the Ctrl+V order, the CF_HDROP block and WaitPumping.
#include <gtest/gtest.h>

#include "automation/input_synthesis.h"
#include "fakes.h"

namespace tovanel::automation::testing {
namespace {

constexpr WindowHandle kWindow = 0x77;

TEST(ClickAt, OffsetRulesAndButtons) {
    const std::optional<int32_t> none;
    struct Case {
        const char* what;
        WindowHandle window;
        std::optional<int32_t> x, y;
        int32_t button;
        CallLog expected;
    } cases[] = {
        {"screen point", 0, 100, 200, 1, {"click 6 at 100,200"}},
        {"client point", kWindow, 100, 200, 1, {"click 6 at 110,220"}},
        {"no coordinates: the cursor's own as offsets",
         kWindow,
         none,
         none,
         1,
         {"click 6 at 650,500"}},
        {"explicit 0 is the client area's edge", kWindow, 0, none, 1, {"click 6 at 10,500"}},
        {"omitted x alone", 0, none, -5, 1, {"click 6 at 640,-5"}},
        {"button 0 is left", 0, 1, 2, 0, {"click 6 at 1,2"}},
        {"right", 0, 1, 2, 2, {"click 24 at 1,2"}},
        {"middle", 0, 1, 2, 3, {"click 96 at 1,2"}},
        {"code 4 does nothing", kWindow, 1, 2, 4, {}},
        {"code -1 does nothing", kWindow, 1, 2, -1, {}},
    };
    for (const Case& c : cases) {
        CallLog log;
        FakeInput input(log);
        input.origins[kWindow] = {10, 20};
        ClickAt(input, c.window, c.x, c.y, c.button);
        EXPECT_EQ(log, c.expected) << c.what;
        EXPECT_EQ(input.cursor, (ScreenPoint{640, 480})) << c.what << ": cursor not put back";
    }
}

TEST(PressCtrlV, ReleasesCtrlBeforeV) {
    CallLog log;
    FakeInput input(log);
    PressCtrlV(input);
    EXPECT_EQ(log, (CallLog{"down 17", "down 86", "up 17", "up 86"}));
}

TEST(DropFilesBlock, HeaderNamesAndSizes) {
    const std::string path30 = "C:\\Velquin\\fi\\attachment01.png";
    ASSERT_EQ(path30.size(), 30u);
    const std::vector<uint8_t> one = BuildDropFilesBlock({path30});
    ASSERT_EQ(one.size(), 52u);
    const std::vector<uint8_t> header = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                         0,  0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(one.begin(), one.begin() + 20), header);
    EXPECT_EQ(std::string(one.begin() + 20, one.begin() + 50), path30);
    EXPECT_EQ(one[50], 0);
    EXPECT_EQ(one[51], 0);

    const std::vector<uint8_t> empty = BuildDropFilesBlock({});
    ASSERT_EQ(empty.size(), 21u);
    EXPECT_EQ(empty[0], 20);
    EXPECT_EQ(empty[20], 0);

    // Two paths, GBK bytes kept as they are: 20 + (4+1) + (2+1) + 1.
    const std::vector<uint8_t> two = BuildDropFilesBlock({"a\xCE\xC4.c", "b"});
    ASSERT_EQ(two.size(), 29u);
    EXPECT_EQ(std::string(two.begin() + 20, two.end()), std::string("a\xCE\xC4.c\0b\0\0", 9));
}

TEST(WaitPumping, SpinsPumpingUntilPastTheDeadline) {
    struct Case {
        uint32_t start;
        int32_t ms;
        int expected_pumps;
    } cases[] = {
        {1000, 10, 12},  // returns once the tick is more than 10 past
        {1000, 1, 2},   {1000, 0, 0},
        {1000, -5, 0},  {0xFFFFFFFA, 10, 12},  // across the wrap of the tick count
    };
    for (const Case& c : cases) {
        CallLog log;
        FakePump pump(log);
        pump.tick = c.start;
        WaitPumping(pump, c.ms);
        EXPECT_EQ(pump.pumps, c.expected_pumps) << c.start << " + " << c.ms;
    }
}

}  // namespace
}  // namespace tovanel::automation::testing
