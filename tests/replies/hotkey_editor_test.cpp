// The hotkey editor's rules: assign, in use, save.
#include <gtest/gtest.h>

#include "replies/content_fixture.h"
#include "replies/hotkey_editor.h"

namespace tovanel::replies::testing {
namespace {

using Shown = std::vector<FakeMessages::Shown>;

class HotkeyEditorTest : public ContentFixture {
  protected:
    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const ReplyRow& row : editor_.rows()) keys.push_back(row.key);
        return keys;
    }

    int main_refills_ = 0;
    HotkeyEditor editor_{store_, messages_, [this] {
                             ++main_refills_;
                             library_.RefillReplyList();
                         }};
};

TEST_F(HotkeyEditorTest, ChoiceTextsAreNoneThenF1ToF12) {
    EXPECT_EQ(HotkeyChoiceText(0), "不使用");
    EXPECT_EQ(HotkeyChoiceText(1), "F1");
    EXPECT_EQ(HotkeyChoiceText(12), "F12");
}

TEST_F(HotkeyEditorTest, FillListsEveryRecordAndNoAttachment) {
    MakeContentTable({{"F1", "a"}, {"", "b"}, {"文件", "c.png"}});
    folder_.Put("d.png", "d");
    editor_.FillHotkeyEditor();
    ASSERT_EQ(editor_.rows().size(), 3u);
    EXPECT_EQ(editor_.rows()[2].text, "c.png");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"F1", "", "文件"}));
}

TEST_F(HotkeyEditorTest, FillWithoutTableLeavesTheListEmpty) {
    SpoilContentTable();
    editor_.FillHotkeyEditor();
    EXPECT_TRUE(editor_.rows().empty());
    EXPECT_EQ(messages_.shown, Shown{Error("数据库打开失败！")});
}

TEST_F(HotkeyEditorTest, AssignFollowsTheInUseRule) {
    MakeContentTable({{"F1", "a"}, {"", "b"}, {"odd", "c"}});
    editor_.FillHotkeyEditor();
    struct Step {
        int selected, choice;
        bool changed;
        std::vector<std::string> keys;
        std::string warning;  // "" for none
    };
    const Step steps[] = {
        {-1, 2, false, {"F1", "", "odd"}, "请选择要设置快捷键的项目！"},
        {1, 1, false, {"F1", "", "odd"}, "快捷键已存在！"},  // F1 is row 0's
        {0, 1, false, {"F1", "", "odd"}, "快捷键已存在！"},  // the selected row counts too
        {1, 3, true, {"F1", "F3", "odd"}, ""},
        {0, 0, true, {"", "F3", "odd"}, ""},  // "不使用" always succeeds
        {1, 1, true, {"", "F1", "odd"}, ""},  // moving a key takes these two steps
        {2, 0, true, {"", "F1", ""}, ""},
        {2, 0, true, {"", "F1", ""}, ""},
    };
    for (const Step& step : steps) {
        messages_.shown.clear();
        EXPECT_EQ(editor_.AssignHotkey(step.selected, step.choice), step.changed);
        EXPECT_EQ(Keys(), step.keys);
        const Shown expected = step.warning.empty() ? Shown{} : Shown{Warning(step.warning)};
        EXPECT_EQ(messages_.shown, expected) << step.selected << " " << step.choice;
    }
    EXPECT_TRUE(editor_.HotkeyInUse("F1"));
    EXPECT_FALSE(editor_.HotkeyInUse("F2"));
}

TEST_F(HotkeyEditorTest, ImportedKeysBlockEqualKeys) {
    MakeContentTable({{"F5", "a"}, {"", "b"}});
    editor_.FillHotkeyEditor();
    EXPECT_FALSE(editor_.AssignHotkey(1, 5));
    EXPECT_EQ(messages_.shown, Shown{Warning("快捷键已存在！")});
}

// Every row's hotkey goes to the record at its position; contents stay.
TEST_F(HotkeyEditorTest, SaveWritesEveryRowAndRefillsTheMainList) {
    MakeContentTable({{"F1", "a"}, {"", "b"}, {"odd", "c"}});
    folder_.Put("d.png", "d");
    editor_.FillHotkeyEditor();
    editor_.AssignHotkey(0, 0);
    editor_.AssignHotkey(1, 3);

    EXPECT_TRUE(editor_.SaveHotkeys());

    EXPECT_EQ(StoredRecords(), (Records{{"", "a"}, {"F3", "b"}, {"odd", "c"}}));
    EXPECT_EQ(messages_.shown, Shown{Information("保存成功！")});
    EXPECT_EQ(main_refills_, 1);
    EXPECT_EQ(list_.Columns(), (std::vector<std::pair<std::string, std::string>>{
                                   {"", "a"}, {"F3", "b"}, {"odd", "c"}, {"文件", "d.png"}}));
}

TEST_F(HotkeyEditorTest, SavingAnEmptyEditorStillReportsSuccess) {
    MakeContentTable({});
    editor_.FillHotkeyEditor();
    EXPECT_TRUE(editor_.SaveHotkeys());
    EXPECT_EQ(messages_.shown, Shown{Information("保存成功！")});
}

TEST_F(HotkeyEditorTest, SaveWithoutTableWritesNothingAndKeepsTheRows) {
    MakeContentTable({{"F1", "a"}});
    editor_.FillHotkeyEditor();
    editor_.AssignHotkey(0, 2);
    SpoilContentTable();
    EXPECT_FALSE(editor_.SaveHotkeys());
    EXPECT_EQ(Keys(), std::vector<std::string>{"F2"});
    EXPECT_EQ(messages_.shown, Shown{Error("数据库打开失败！")});
    EXPECT_EQ(main_refills_, 0);
}

}  // namespace
}  // namespace tovanel::replies::testing
