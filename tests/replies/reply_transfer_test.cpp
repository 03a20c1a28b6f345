// Export and import through the fakes of the dialog and the files, over a
// real content table.
#include <gtest/gtest.h>

#include "replies/content_fixture.h"
#include "replies/reply_text.h"
#include "replies/reply_transfer.h"

namespace tovanel::replies::testing {
namespace {

using Columns = std::vector<std::pair<std::string, std::string>>;
using Shown = std::vector<FakeMessages::Shown>;

constexpr const char* kFile = "D:\\其他\\回复.txt";

class TransferTest : public ContentFixture {
  protected:
    void Export(const std::string& path = kFile) {
        dialog_.answer = path;
        transfer_.ExportReplies();
    }
    void Import(const std::string& bytes) {
        files_.files[kFile] = bytes;
        dialog_.answer = kFile;
        transfer_.ImportReplies();
    }
    Shown Imported(size_t n) { return Shown(n, Warning("导入成功！")); }

    FakeDialog dialog_;
    FakeTextFiles files_;
    ReplyTransfer transfer_{store_, list_, library_, dialog_, files_, messages_};
};

// Contents survive the trip: double-byte characters whose trail byte is "["
// (0x5B) or "]" (0x5D), a tab, spaces; hotkeys also when not F-keys.
TEST_F(TransferTest, ExportThenImportGivesTheSameRecordsInOrder) {
    const Records records = {{"F1", "您好"},
                             {"", " 前后有空格 "},
                             {"F12", "a\x81[b\x81]c"},
                             {"", "\t"},
                             {"xyz", "非F键"}};
    MakeContentTable(records);
    folder_.Put("a.png", "a");
    library_.RefillReplyList();

    Export();
    EXPECT_EQ(files_.files[kFile], ExportText({{"F1", "您好"},
                                               {"", " 前后有空格 "},
                                               {"F12", "a\x81[b\x81]c"},
                                               {"", "\t"},
                                               {"xyz", "非F键"}}));
    EXPECT_TRUE(messages_.shown.empty());
    ASSERT_TRUE(library_.AddReply("gone after the import"));

    Import(files_.files[kFile]);

    EXPECT_EQ(StoredRecords(), records);
    EXPECT_EQ(messages_.shown, Imported(records.size()));
    EXPECT_EQ(list_.Columns().back(), (std::pair<std::string, std::string>{"文件", "a.png"}));
    EXPECT_EQ(list_.rows.front().image, RowImage::kText);
}

TEST_F(TransferTest, AContentWithABracketLosesItsTailOnTheWayBack) {
    MakeContentTable({{"F1", "a]b"}});
    library_.RefillReplyList();
    Export();
    EXPECT_EQ(files_.files[kFile], "[F1]a]b\r\n");
    Import(files_.files[kFile]);
    EXPECT_EQ(StoredRecords(), (Records{{"F1", "a"}}));
}

TEST_F(TransferTest, ExportOfAListWithoutTextRowsWritesAnEmptyFile) {
    MakeContentTable({});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    files_.files[kFile] = "old";
    Export();
    EXPECT_EQ(files_.files[kFile], "");
}

TEST_F(TransferTest, AFailedExportIsReported) {
    MakeContentTable({{"F1", "您好"}});
    library_.RefillReplyList();
    files_.unwritable = {kFile};
    Export();
    EXPECT_EQ(messages_.shown, Shown{Warning(kCannotWriteFile)});
}

TEST_F(TransferTest, CancelledDialogsChangeNothing) {
    MakeContentTable({{"F1", "您好"}});
    library_.RefillReplyList();
    dialog_.answer.reset();
    transfer_.ExportReplies();
    transfer_.ImportReplies();
    EXPECT_EQ(dialog_.shown, 2);
    EXPECT_TRUE(files_.files.empty());
    EXPECT_EQ(StoredRecords(), (Records{{"F1", "您好"}}));
    EXPECT_EQ(list_.refills, 1);
}

TEST_F(TransferTest, ImportOfAnEmptyFileEmptiesTheTableSilently) {
    MakeContentTable({{"F1", "您好"}});
    folder_.Put("a.png", "a");
    library_.RefillReplyList();
    Import("");
    EXPECT_TRUE(StoredRecords().empty());
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(list_.Columns(), (Columns{{"文件", "a.png"}}));
    EXPECT_EQ(folder_.files.size(), 1u);
}

// The file is read and checked before anything changes: neither the list nor
// the table is touched when it is refused.
TEST_F(TransferTest, ARefusedImportChangesNothing) {
    struct Case {
        const char* name;
        bool readable;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"unreadable", false, "[F1]a\r\n", kCannotReadFile},
        {"line 3 without content", true, "[F1]a\r\n\r\n[F2]\r\n[F3]c\r\n",
         LineWithoutContentMessage(3)},
    };
    for (const Case& c : cases) {
        MakeContentTable({{"F1", "您好"}});
        library_.RefillReplyList();
        const Columns before = list_.Columns();
        messages_.shown.clear();
        files_.unreadable.clear();
        if (!c.readable) files_.unreadable.insert(kFile);

        Import(c.bytes);

        EXPECT_EQ(messages_.shown, Shown{Warning(c.message)}) << c.name;
        EXPECT_EQ(list_.Columns(), before) << c.name;
        EXPECT_EQ(StoredRecords(), (Records{{"F1", "您好"}})) << c.name;
        std::filesystem::remove("内容.RTB");
        std::filesystem::remove("内容.RTL");
    }
    EXPECT_NE(LineWithoutContentMessage(3).find("第 3 行"), std::string::npos);
}

TEST_F(TransferTest, ImportWithoutTableLeavesTheImportedRowsShown) {
    SpoilContentTable();
    Import("[F1]a\r\n[F2]b\r\n");
    EXPECT_EQ(messages_.shown, Shown{Error("数据库打开失败！")});
    EXPECT_EQ(list_.Columns(), (Columns{{"F1", "a"}, {"F2", "b"}}));
    EXPECT_EQ(list_.rows[0].image, RowImage::kNone);
}

// Whatever the lines bring is stored: repeated contents and hotkeys, and the
// attachment marker, whose record later export leaves out.
TEST_F(TransferTest, ImportStoresLinesUnvalidatedOneMessagePerRow) {
    MakeContentTable({});
    Import("[F1]a\r\n[F1]a\r\n[文件]b.png\r\n");
    EXPECT_EQ(StoredRecords(), (Records{{"F1", "a"}, {"F1", "a"}, {"文件", "b.png"}}));
    EXPECT_EQ(messages_.shown, Imported(3));
    Export();
    EXPECT_EQ(files_.files[kFile], "[F1]a\r\n[F1]a\r\n");
}

}  // namespace
}  // namespace tovanel::replies::testing
