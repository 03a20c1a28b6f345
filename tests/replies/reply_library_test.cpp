// The reply list's rows: refill order, add with its space and duplicate rules,
// delete by content, attachment rows and drops.
#include <gtest/gtest.h>

#include "replies/attachment_name.h"
#include "replies/content_fixture.h"

namespace tovanel::replies::testing {
namespace {

using Columns = std::vector<std::pair<std::string, std::string>>;

class ReplyListTest : public ContentFixture {};

TEST_F(ReplyListTest, RefillListsRecordsInTableOrderThenFolderFiles) {
    MakeContentTable({{"F2", "第二"}, {"", "hello"}, {"F1", "第一"}});
    folder_.Put("b.jpg", "b");
    folder_.Put("报价单.xls", "x");
    list_.selected = 1;

    library_.RefillReplyList();

    EXPECT_EQ(list_.Columns(), (Columns{{"F2", "第二"},
                                        {"", "hello"},
                                        {"F1", "第一"},
                                        {"文件", "b.jpg"},
                                        {"文件", "报价单.xls"}}));
    EXPECT_EQ(list_.rows[0].image, RowImage::kText);
    EXPECT_EQ(list_.rows[3].image, RowImage::kAttachment);
    EXPECT_EQ(list_.selected, -1);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ReplyListTest, RefillWithoutTableShowsTheErrorAndTheAttachmentsOnly) {
    SpoilContentTable();
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "a.png"}}));
    EXPECT_EQ(messages_.shown, std::vector<FakeMessages::Shown>{Error("数据库打开失败！")});
}

TEST_F(ReplyListTest, AddRefusesTextsOfNothingButSpaces) {
    MakeContentTable({});
    for (const std::string typed : {"", "   ", "\xA1\xA1\xA1\xA1", " \xA1\xA1 "}) {
        messages_.shown.clear();
        EXPECT_FALSE(library_.AddReply(typed)) << typed;
        EXPECT_EQ(messages_.shown, std::vector<FakeMessages::Shown>{Warning("请填写内容！")});
    }
    EXPECT_TRUE(StoredRecords().empty());
}

TEST_F(ReplyListTest, AddStoresTextsAsTypedWithAnEmptyHotkey) {
    MakeContentTable({{"F1", "hello"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    // A tab is content; leading spaces make another reply; a double-byte
    // character ending in A1 is not a full-width space.
    for (const std::string typed : {"\t", " hello", "\xB0\xA1 "}) {
        EXPECT_TRUE(library_.AddReply(typed)) << typed;
    }
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(StoredRecords(),
              (Records{{"F1", "hello"}, {"", "\t"}, {"", " hello"}, {"", "\xB0\xA1 "}}));
    EXPECT_EQ(list_.Columns().back(), (std::pair<std::string, std::string>{"文件", "a.png"}));
}

TEST_F(ReplyListTest, AddRefusesATextEqualToAnyListedRowIncludingAttachments) {
    MakeContentTable({{"F1", "hello"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    for (const std::string typed : {"hello", "a.png"}) {
        messages_.shown.clear();
        EXPECT_FALSE(library_.AddReply(typed));
        EXPECT_EQ(messages_.shown, std::vector<FakeMessages::Shown>{Warning("添加的内容已存在！")});
    }
    EXPECT_EQ(StoredRecords(), (Records{{"F1", "hello"}}));
}

TEST_F(ReplyListTest, AddWithoutTableKeepsEverything) {
    SpoilContentTable();
    EXPECT_FALSE(library_.AddReply("hello"));
    EXPECT_EQ(messages_.shown, std::vector<FakeMessages::Shown>{Error("数据库打开失败！")});
    EXPECT_EQ(list_.refills, 0);
}

TEST_F(ReplyListTest, DeleteWithoutSelectionWarns) {
    MakeContentTable({{"", "hello"}});
    library_.RefillReplyList();
    library_.DeleteSelectedReply();
    EXPECT_EQ(messages_.shown, std::vector<FakeMessages::Shown>{Warning("请选择要删除的项目！")});
    EXPECT_EQ(StoredRecords().size(), 1u);
}

TEST_F(ReplyListTest, DeleteRemovesTheFirstRecordWithTheRowsContent) {
    MakeContentTable({{"", "x"}, {"F1", "same"}, {"F2", "same"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    list_.selected = 2;  // the second "same", with F2

    library_.DeleteSelectedReply();

    EXPECT_EQ(StoredRecords(), (Records{{"", "x"}, {"F2", "same"}}));
    EXPECT_EQ(list_.Columns(), (Columns{{"", "x"}, {"F2", "same"}, {"文件", "a.png"}}));
    EXPECT_EQ(folder_.files.size(), 1u);
}

TEST_F(ReplyListTest, DeleteOfAnAttachmentRemovesItsFileOnly) {
    MakeContentTable({{"", "a.png"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    list_.selected = 1;

    library_.DeleteSelectedReply();

    EXPECT_TRUE(folder_.files.empty());
    EXPECT_EQ(StoredRecords(), (Records{{"", "a.png"}}));
    EXPECT_EQ(list_.Columns(), (Columns{{"", "a.png"}}));
}

TEST_F(ReplyListTest, DeleteOfAnAttachmentWhoseFileVanishedDropsItsRow) {
    MakeContentTable({});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    folder_.Remove("a.png");
    list_.selected = 0;
    library_.DeleteSelectedReply();
    EXPECT_TRUE(list_.rows.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

// A record whose hotkey is the attachment marker is handled as an attachment:
// its file goes, the record stays and comes back with the refill.
TEST_F(ReplyListTest, DeleteOfAMarkerRecordDeletesTheFileOfThatName) {
    MakeContentTable({{"文件", "a.png"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    list_.selected = 0;

    library_.DeleteSelectedReply();

    EXPECT_TRUE(folder_.files.empty());
    EXPECT_EQ(StoredRecords(), (Records{{"文件", "a.png"}}));
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "a.png"}}));
}

// Imported marker records whose name leaves the folder delete nothing anywhere.
TEST_F(ReplyListTest, DeleteOfAMarkerRecordWithAPathDeletesNothing) {
    const std::vector<std::string> names = {
        "..\\设置.RTB", "../设置.RTB", "C:设置.RTB", "sub\\a.png", ".", "..", ""};
    Records records;
    for (const std::string& name : names) records.emplace_back("文件", name);
    MakeContentTable(records);
    for (size_t i = 0; i < names.size(); ++i) {
        library_.RefillReplyList();
        list_.selected = static_cast<int>(i);
        library_.DeleteSelectedReply();
        EXPECT_TRUE(folder_.removed.empty()) << names[i];
        EXPECT_EQ(list_.refills, static_cast<int>(2 * i + 2)) << names[i];
    }
    EXPECT_EQ(StoredRecords(), records);
}

TEST(AttachmentNameTest, FileNameOfPathStepsOverDoubleByteCharacters) {
    struct Case {
        std::string path, name;
    };
    const Case cases[] = {
        {"C:\\a\\b.txt", "b.txt"},
        {"C:/a/b", "b"},
        {"C:b.txt", "b.txt"},
        {"C:\\a\\", ""},
        {"plain", "plain"},
        // 0x5C as the trail byte of a double-byte character is no backslash.
        {"C:\\\x95\x5C.txt", "\x95\x5C.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(FileNameOfPath(c.path), c.name) << c.path;
    EXPECT_TRUE(IsPlainFileName("\x95\x5C.txt"));
    EXPECT_TRUE(IsPlainFileName("..a"));
    for (const std::string bad : {"", ".", "..", "a\\b", "a/b", "a:b", "\\a"}) {
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    }
}

TEST_F(ReplyListTest, EachDroppedFileIsCopiedAndAppendedAsARow) {
    MakeContentTable({{"", "hello"}});
    library_.RefillReplyList();
    folder_.outside = {{"D:\\in\\a.png", "A"}, {"D:\\in\\b.doc", "B"}};

    library_.AcceptDroppedFile("D:\\in\\a.png");
    library_.AcceptDroppedFile("D:\\in\\b.doc");

    EXPECT_EQ(list_.Columns(), (Columns{{"", "hello"}, {"文件", "a.png"}, {"文件", "b.doc"}}));
    EXPECT_EQ(list_.rows[2].image, RowImage::kAttachment);
    EXPECT_EQ(folder_.files, (std::map<std::string, std::string>{{"a.png", "A"}, {"b.doc", "B"}}));
}

TEST_F(ReplyListTest, ADropReplacesAFileOfTheSameNameAndTheRefillShowsItOnce) {
    MakeContentTable({});
    folder_.Put("a.png", "old");
    library_.RefillReplyList();
    folder_.outside = {{"D:\\a.png", "new"}};

    library_.AcceptDroppedFile("D:\\a.png");
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "a.png"}, {"文件", "a.png"}}));
    EXPECT_EQ(folder_.files["a.png"], "new");

    library_.RefillReplyList();
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "a.png"}}));
}

TEST_F(ReplyListTest, ADroppedFolderIsNotCopiedAndGetsNoRow) {
    MakeContentTable({});
    library_.RefillReplyList();
    folder_.folders = {"D:\\photos"};
    library_.AcceptDroppedFile("D:\\photos");
    library_.AcceptDroppedFile("D:\\in\\");
    EXPECT_TRUE(folder_.copies.empty());
    EXPECT_TRUE(list_.rows.empty());
}

// A copy that fails (no attachment folder) is not reported; the row stays
// until the next refill.
TEST_F(ReplyListTest, AFailedCopyStillAppendsTheRow) {
    MakeContentTable({});
    library_.RefillReplyList();
    library_.AcceptDroppedFile("D:\\gone.png");
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "gone.png"}}));
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace tovanel::replies::testing
