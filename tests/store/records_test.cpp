// The cursor and the record operations on healthy tables.
#include "store/table_format.h"
#include "store_fixture.h"

namespace tovanel::store::testing {
namespace {

class RecordsTest : public StoreTest {
  protected:
    int32_t Number(RecordStore& store) {
        int32_t n = 0;
        EXPECT_TRUE(store.ReadRecordNumber(&n));
        return n;
    }
};

TEST_F(RecordsTest, SkippingWalksToTheAfterLastPositionAndNoFurther) {
    MakeContent({"a", "b", "c"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    store.GoToFirstRecord();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(store.SkipRecords());
    EXPECT_EQ(store.Cursor(), 3);
    EXPECT_FALSE(store.SkipRecords());
    EXPECT_EQ(LastError(), err::kSkipAfterLast);
    EXPECT_EQ(Text(store, "内容"), "");
    EXPECT_EQ(LastError(), err::kBeyondEnd);
    EXPECT_FALSE(store.ModifyRecord(Texts("F1", "x")));
    EXPECT_EQ(LastError(), err::kNoCurrentRecord);

    struct Step {
        int32_t n;
        bool ok;
        int32_t cursor;
        int code;
    } steps[] = {
        {-1, true, 2, 0},
        {0, true, 2, 0},
        {+5, true, 3, 0},
        {-10, true, -1, 0},
        {-1, false, -1, err::kSkipBeforeFirst},
        {+2, true, 1, 0},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(store.SkipRecords(s.n), s.ok) << s.n;
        EXPECT_EQ(store.Cursor(), s.cursor) << s.n;
        EXPECT_EQ(LastError(), s.code) << s.n;
    }
    store.SkipRecords(-2);  // before the first record
    EXPECT_EQ(Text(store, "内容"), "");
    EXPECT_EQ(LastError(), err::kNoCurrentRecord);
}

TEST_F(RecordsTest, EmptyTableHasNoCurrentRecord) {
    MakeContent({});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    store.GoToFirstRecord();
    EXPECT_EQ(store.GetRecordCount(), 0);
    EXPECT_FALSE(store.SkipRecords(1));
    EXPECT_EQ(LastError(), err::kSkipAfterLast);
    EXPECT_FALSE(store.SkipRecords(-1));
    EXPECT_EQ(LastError(), err::kSkipBeforeFirst);
    EXPECT_FALSE(store.DeleteRecord());
    EXPECT_EQ(LastError(), err::kNoCurrentRecord);
}

TEST_F(RecordsTest, EveryOperationNeedsACurrentTable) {
    RecordStore store(*os_);
    store.GoToFirstRecord();
    EXPECT_EQ(LastError(), err::kNoCurrentTable);
    EXPECT_EQ(store.GetRecordCount(), 0);
    EXPECT_EQ(LastError(), err::kNoCurrentTable);
    const std::vector<std::function<bool()>> ops = {
        [&] { return store.SkipRecords(1); }, [&] { return store.ModifyRecord({}); },
        [&] { return store.AddRecord({}); },  [&] { return store.DeleteRecord(); },
        [&] { return store.PurgeDeleted(); }, [&] { return store.ClearTable(); },
    };
    for (const auto& op : ops) {
        EXPECT_FALSE(op());
        EXPECT_EQ(LastError(), err::kNoCurrentTable);
    }
}

TEST_F(RecordsTest, SettingsRecordChangesOnlyTheGivenPositions) {
    MakeTable("设置.RTB", SettingsFields());
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("设置", kPassword));
    ASSERT_TRUE(store.AddRecord({Value(false), Value(true), std::nullopt, Value(true)}));
    const std::vector<const char*> names = {"粘贴或发送", "托盘图标", "隐藏运行", "跟随微信",
                                            "开机启动"};
    auto flags = [&] {
        std::vector<bool> out;
        for (const char* n : names) out.push_back(std::get<bool>(store.ReadField(n)));
        return out;
    };
    EXPECT_EQ(flags(), (std::vector<bool>{false, true, false, true, false}));
    store.GoToFirstRecord();
    ASSERT_TRUE(store.ModifyRecord({std::nullopt, Value(false), Value(true)}));
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(store.Cursor(), 0);
    // Names match regardless of ASCII letter case; extra positions are ignored.
    ASSERT_TRUE(store.ModifyRecord({Value(true), std::nullopt, std::nullopt, std::nullopt,
                                    std::nullopt, Value(std::string("extra"))}));
    EXPECT_TRUE(std::get<bool>(store.ReadField("粘贴或发送")));
}

TEST_F(RecordsTest, ValuesOfTheWrongKindAreRefusedBeforeAnyWrite) {
    MakeContent({"原文"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    const std::vector<uint8_t> before = ReadBytes("内容.RTB");
    EXPECT_FALSE(store.ModifyRecord({Value(std::string("F1")), Value(true)}));
    EXPECT_EQ(LastError(), err::kWrongKind);
    EXPECT_FALSE(store.AddRecord({Value(true)}));
    EXPECT_EQ(LastError(), err::kWrongKind);
    EXPECT_EQ(ReadBytes("内容.RTB"), before);
    EXPECT_EQ(store.GetRecordCount(), 1);
}

TEST_F(RecordsTest, FixedWidthTextsAreCutAndLeaveOldTails) {
    MakeContent({}, kFixedText, 6);
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    struct Case {
        std::string written;
        std::string read;
    } cases[] = {
        {"abcdef", "abcdef"},    // exactly the width: no zero byte, reads back whole
        {"abcdefgh", "abcdef"},  // longer: the first W bytes
        {"xy", "xy"},            // shorter: the old tail stays behind the zero
        {"", ""},
        {std::string("p\0q", 3), "p"},
    };
    ASSERT_TRUE(store.AddRecord({}));
    for (const Case& c : cases) {
        ASSERT_TRUE(store.ModifyRecord({std::nullopt, Value(c.written)}));
        EXPECT_EQ(Text(store, "内容"), c.read);
    }
    ASSERT_TRUE(store.ModifyRecord({std::nullopt, Value(std::string("abcdef"))}));
    ASSERT_TRUE(store.ModifyRecord({std::nullopt, Value(std::string("xy"))}));
    const std::vector<uint8_t> bytes = ReadBytes("内容.RTB");
    EXPECT_EQ(bytes.size(), 116u + 2 * 72 + 4 + 8 + 6);
    EXPECT_EQ(Text(store, "内容"), "xy");
}

TEST_F(RecordsTest, AddedRecordsGetRisingNumbersEvenAfterClear) {
    MakeContent({"a", "b"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    ASSERT_TRUE(store.ClearTable());
    EXPECT_EQ(store.GetRecordCount(), 0);
    EXPECT_EQ(FileSize("内容.RTL"), 512);
    ASSERT_TRUE(store.AddRecord({std::nullopt, Value(std::string("c"))}));
    EXPECT_EQ(store.Cursor(), 0);
    EXPECT_EQ(Number(store), 3);
    EXPECT_EQ(Text(store, "快捷键"), "");
    ASSERT_TRUE(store.AddRecord(Texts("F2", "d")));
    EXPECT_EQ(store.Cursor(), 1);
    EXPECT_EQ(Number(store), 4);
    EXPECT_EQ(AllTexts(store), (std::vector<std::string>{"c", "d"}));
}

TEST_F(RecordsTest, DeletedRecordsCountUntilPurgedAndKeepTheirOrder) {
    std::vector<std::string> texts;
    for (int i = 0; i < 7; ++i) texts.push_back("第" + std::to_string(i) + std::string(600, 'x'));
    MakeContent(texts);
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    for (int index : {0, 3, 6}) {
        store.GoToFirstRecord();
        store.SkipRecords(index);
        ASSERT_TRUE(store.DeleteRecord());
        ASSERT_TRUE(store.DeleteRecord());  // a second mark changes nothing
        EXPECT_EQ(Number(store), -(index + 1));
    }
    EXPECT_EQ(store.GetRecordCount(), 7);
    EXPECT_EQ(Text(store, "内容"), texts[6]);  // still readable until purged
    ASSERT_TRUE(store.PurgeDeleted());
    EXPECT_EQ(store.Cursor(), 0);
    EXPECT_EQ(AllTexts(store), (std::vector<std::string>{texts[1], texts[2], texts[4], texts[5]}));
    // The purged values' blocks went to the free list; new values reuse them.
    const int64_t long_size = FileSize("内容.RTL");
    ASSERT_TRUE(store.AddRecord(Texts("", std::string(900, 'n'))));
    EXPECT_EQ(FileSize("内容.RTL"), long_size);
}

TEST_F(RecordsTest, PurgeCompactsAcrossManyBatches) {
    // 1,000-byte records: 163 to a batch, so 500 records take four batches.
    MakeTable("t.RTB", {{"k", kFixedText, 0, 4}, {"v", kFixedText, 0, 992}});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("t", kPassword));
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(store.AddRecord({std::nullopt, Value(std::to_string(i))}));
    store.GoToFirstRecord();
    for (int i = 0; i < 500; ++i) {
        if (i % 3 == 0 || (i > 150 && i < 170)) ASSERT_TRUE(store.DeleteRecord());
        store.SkipRecords();
    }
    ASSERT_TRUE(store.PurgeDeleted());
    std::vector<std::string> expected;
    for (int i = 0; i < 500; ++i)
        if (!(i % 3 == 0 || (i > 150 && i < 170))) expected.push_back(std::to_string(i));
    EXPECT_EQ(AllTexts(store, "v"), expected);
    store.CloseTable();
    EXPECT_EQ(FileSize("t.RTB"), 116 + 2 * 72 + int64_t(expected.size()) * 1000);
}

TEST_F(RecordsTest, PurgeWithNothingDeletedWritesNothing) {
    MakeContent({"a", "b"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    const std::vector<uint8_t> before = ReadBytes("内容.RTB");
    store.SkipRecords();
    ASSERT_TRUE(store.PurgeDeleted());
    EXPECT_EQ(store.Cursor(), 0);
    EXPECT_EQ(ReadBytes("内容.RTB"), before);
}

}  // namespace
}  // namespace tovanel::store::testing
