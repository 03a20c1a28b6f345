// The panel's 96-DPI layout turned into pixels at the scales users run:
// 100 %, 125 %, 150 % and 200 %, rounded as Windows rounds.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "ui/dpi_scale.h"

namespace tovanel::ui {
namespace {

TEST(MulDivRoundedTest, RoundsHalvesAwayFromZeroAsMulDiv) {
    EXPECT_EQ(MulDivRounded(33, 144, 96), 50);    // 49.5
    EXPECT_EQ(MulDivRounded(-33, 144, 96), -50);  // -49.5
    EXPECT_EQ(MulDivRounded(75, 120, 96), 94);    // 93.75
    EXPECT_EQ(MulDivRounded(-1, 120, 96), -1);    // -1.25
    EXPECT_EQ(MulDivRounded(7, 96, -144), -5);    // -4.67
    EXPECT_EQ(MulDivRounded(0, 144, 96), 0);
    EXPECT_EQ(MulDivRounded(5, 144, 0), -1);
    EXPECT_EQ(MulDivRounded(INT_MAX, 192, 96), -1);          // beyond int
    EXPECT_EQ(MulDivRounded(INT_MAX, 96, 192), 1073741824);  // no overflow on the way
}

struct LayoutCase {
    const char* what;
    LayoutRect at96;
    LayoutRect at120, at144, at192;
};

// Rows of MainWindow's and HotkeyEditorWindow's forms, among them every kind
// of rounding.
const LayoutCase kLayoutCases[] = {
    {"the window 300 x 650",
     {0, 0, 300, 650},
     {0, 0, 375, 813},
     {0, 0, 450, 975},
     {0, 0, 600, 1300}},
    {"图片框1, the logo", {25, 11, 50, 50}, {31, 14, 63, 63}, {38, 17, 75, 75}, {50, 22, 100, 100}},
    {"标签1", {97, 36, 168, 23}, {121, 45, 210, 29}, {146, 54, 252, 35}, {194, 72, 336, 46}},
    {"按钮1 关闭", {255, 7, 35, 20}, {319, 9, 44, 25}, {383, 11, 53, 30}, {510, 14, 70, 40}},
    {"单选框粘贴 in 分组框1",
     {46, 78, 85, 16},
     {58, 98, 106, 20},
     {69, 117, 128, 24},
     {92, 156, 170, 32}},
    {"超级列表框1",
     {10, 129, 280, 421},
     {13, 161, 350, 526},
     {15, 194, 420, 632},
     {20, 258, 560, 842}},
    {"编辑框1", {10, 563, 280, 24}, {13, 704, 350, 30}, {15, 845, 420, 36}, {20, 1126, 560, 48}},
    {"超级按钮1", {9, 595, 80, 24}, {11, 744, 100, 30}, {14, 893, 120, 36}, {18, 1190, 160, 48}},
    {"按钮添加",
     {199, 595, 90, 24},
     {249, 744, 113, 30},
     {299, 893, 135, 36},
     {398, 1190, 180, 48}},
    {"columns 55 and 1000 wide",
     {55, 1000, 0, 0},
     {69, 1250, 0, 0},
     {83, 1500, 0, 0},
     {110, 2000, 0, 0}},
    {"HotkeyEditorWindow's client area 441 x 564",
     {0, 0, 441, 564},
     {0, 0, 551, 705},
     {0, 0, 662, 846},
     {0, 0, 882, 1128}},
    {"the editor's 超级列表框1",
     {8, 64, 424, 360},
     {10, 80, 530, 450},
     {12, 96, 636, 540},
     {16, 128, 848, 720}},
    {"the editor's 超级按钮1",
     {16, 507, 408, 40},
     {20, 634, 510, 50},
     {24, 761, 612, 60},
     {32, 1014, 816, 80}},
    {"the editor's columns 40 and 1000 wide",
     {40, 1000, 0, 0},
     {50, 1250, 0, 0},
     {60, 1500, 0, 0},
     {80, 2000, 0, 0}},
    {"row marks 16 x 15, fonts 12 and 18",
     {16, 15, 12, 18},
     {20, 19, 15, 23},
     {24, 23, 18, 27},
     {32, 30, 24, 36}},
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.what;
}

class LayoutAtDpiTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutAtDpiTest, ScalesEveryNumberOnItsOwn) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(ScaleToDpi(c.at96, 96), c.at96) << c.what;
    EXPECT_EQ(ScaleToDpi(c.at96, 120), c.at120) << c.what;
    EXPECT_EQ(ScaleToDpi(c.at96, 144), c.at144) << c.what;
    EXPECT_EQ(ScaleToDpi(c.at96, 192), c.at192) << c.what;
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LayoutAtDpiTest, ::testing::ValuesIn(kLayoutCases));

// A window that crosses monitors carries lengths that others set (the list's
// height while docked, a dragged column) from one scale to the next: from any
// scale of 100 % or more, back to 96 DPI gives the 96-DPI value exactly.
TEST(RescaleDpiTest, ComesBackExactlyFromEveryScaleAbove100Percent) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int value = -50; value <= 3000; ++value) {
            ASSERT_EQ(RescaleDpi(ScaleToDpi(value, dpi), dpi, 96), value) << value << " at " << dpi;
        }
    }
    EXPECT_EQ(RescaleDpi(632, 144, 120), 527);  // 421 at 150 % → 526.67 at 125 %
    EXPECT_EQ(RescaleDpi(632, 144, 144), 632);
}

}  // namespace
}  // namespace tovanel::ui
