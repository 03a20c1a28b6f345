// Long-text chains: block use, reuse, shrinking, and damaged chains.
#include "store/table_format.h"
#include "store_fixture.h"

namespace tovanel::store::testing {
namespace {

using format::GetI32;
using format::PutI32;

class LongTextTest : public StoreTest {
  protected:
    // A plain table, so the tests can look at and damage the blocks directly.
    void SetUp() override {
        StoreTest::SetUp();
        MakeTable("t.RTB", ContentFields(), "");
        ASSERT_TRUE(store_.OpenTable("t", ""));
        ASSERT_TRUE(store_.AddRecord({}));
    }
    int32_t Blocks() { return static_cast<int32_t>(FileSize("t.RTL") / 512); }
    int32_t HeaderInt(int offset) { return GetI32(ReadBytes("t.RTL").data() + offset); }
    void Put(const std::string& text) {
        ASSERT_TRUE(store_.ModifyRecord({std::nullopt, Value(text)})) << LastError();
    }
    RecordStore store_{*os_};
};

TEST_F(LongTextTest, BlocksFollowTheLengthOfTheValue) {
    struct Case {
        size_t length;
        int32_t blocks;  // block 0 included
    } cases[] = {{0, 1}, {1, 2}, {500, 2}, {501, 3}, {1500, 4}, {1501, 5}, {20, 2}};
    for (const Case& c : cases) {
        const std::string text(c.length, 'a' + c.length % 26);
        Put(text);
        EXPECT_EQ(Text(store_, "内容"), text) << c.length;
        EXPECT_EQ(Blocks(), c.blocks) << c.length;
        EXPECT_EQ(HeaderInt(16), c.blocks) << c.length;
        EXPECT_EQ(HeaderInt(20), 0) << c.length;  // trailing free blocks were cut off
    }
}

TEST_F(LongTextTest, FreedBlocksInTheMiddleAreReusedBeforeTheFileGrows) {
    ASSERT_TRUE(store_.ModifyRecord({std::nullopt, Value(std::string(1400, 'a'))}));  // 1,2,3
    ASSERT_TRUE(store_.AddRecord({std::nullopt, Value(std::string(300, 'b'))}));      // 4
    store_.GoToFirstRecord();
    Put("short");  // frees 2 and 3
    EXPECT_EQ(HeaderInt(20), 2);
    EXPECT_EQ(Blocks(), 5);
    store_.SkipRecords();
    Put(std::string(1200, 'c'));  // 4 again, then 2 and 3 from the free list
    EXPECT_EQ(Blocks(), 5);
    EXPECT_EQ(HeaderInt(20), 0);
    EXPECT_EQ(HeaderInt(24), 0);
    EXPECT_EQ(AllTexts(store_), (std::vector<std::string>{"short", std::string(1200, 'c')}));
}

TEST_F(LongTextTest, TextsEndAtTheirFirstZeroByte) {
    Put(std::string("前\0后", 5));
    EXPECT_EQ(Text(store_, "内容"), "前");
}

// Damaged chains must end in an error, never a hang or a stray read.
TEST_F(LongTextTest, DamagedChainsGiveAnErrorAndAnEmptyValue) {
    Put(std::string(1200, 'z'));  // blocks 1, 2, 3
    const std::vector<uint8_t> healthy = ReadBytes("t.RTL");
    struct Case {
        const char* what;
        int block;
        int offset;
        int32_t value;
    } cases[] = {
        {"loop back to the first block", 3, 4, 1},
        {"loop onto itself", 2, 4, 2},
        {"next past the end", 2, 4, 999},
        {"negative next", 2, 4, -5},
        {"length over 500", 2, 8, 501},
        {"negative length", 1, 8, -1},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = healthy;
        PutI32(&bytes[c.block * 512 + c.offset], c.value);
        WriteBytes("t.RTL", bytes);
        EXPECT_EQ(Text(store_, "内容"), "") << c.what;
        EXPECT_EQ(LastError(), err::kBlockIo) << c.what;
    }
}

TEST_F(LongTextTest, RewritingADamagedChainNeverTouchesOtherValues) {
    Put(std::string(1200, 'z'));                                                  // blocks 1, 2, 3
    ASSERT_TRUE(store_.AddRecord({std::nullopt, Value(std::string(700, 'k'))}));  // 4, 5
    std::vector<uint8_t> bytes = ReadBytes("t.RTL");
    PutI32(&bytes[2 * 512 + 4], 4);  // the first chain now runs into the second value
    PutI32(&bytes[24], 5);           // and the free list points at a block in use
    PutI32(&bytes[20], 1);
    WriteBytes("t.RTL", bytes);
    store_.GoToFirstRecord();
    Put(std::string(2600, 'n'));
    EXPECT_EQ(AllTexts(store_).back(), std::string(700, 'k'));
}

TEST_F(LongTextTest, RecordPointingPastTheFileReadsEmpty) {
    const std::vector<uint8_t> table = ReadBytes("t.RTB");
    std::vector<uint8_t> bytes = table;
    const size_t record = 116 + 2 * 72;
    PutI32(&bytes[record + 4 + 8], 77);
    WriteBytes("t.RTB", bytes);
    EXPECT_EQ(Text(store_, "内容"), "");
    EXPECT_EQ(LastError(), err::kBlockIo);
    Put("fresh");  // a write starts a new chain instead of following the bad one
    EXPECT_EQ(Text(store_, "内容"), "fresh");
}

TEST_F(LongTextTest, CountersDamagedWhileOpenNeverSendWritesPastTheEnd) {
    std::vector<uint8_t> long_text = ReadBytes("t.RTL");
    PutI32(&long_text[16], 100000);  // block count far beyond the file
    WriteBytes("t.RTL", long_text);
    Put(std::string(600, 'g'));
    EXPECT_EQ(FileSize("t.RTL"), 3 * 512);
    EXPECT_EQ(Text(store_, "内容"), std::string(600, 'g'));

    std::vector<uint8_t> table = ReadBytes("t.RTB");
    PutI32(&table[16], 5000);  // record count far beyond the file
    WriteBytes("t.RTB", table);
    const int64_t size = FileSize("t.RTB");
    EXPECT_FALSE(store_.AddRecord(Texts("", "x")));
    EXPECT_EQ(LastError(), err::kBadHeader);
    EXPECT_EQ(FileSize("t.RTB"), size);
}

TEST_F(LongTextTest, AnOpenThatCutsTheBlockCountAlsoDropsAFreeListInTheCutTail) {
    Put(std::string(1400, 'a'));                                                  // 1, 2, 3
    ASSERT_TRUE(store_.AddRecord({std::nullopt, Value(std::string(300, 'b'))}));  // 4
    store_.GoToFirstRecord();
    Put("a");  // frees 2 and 3
    store_.CloseTable();
    std::vector<uint8_t> bytes = ReadBytes("t.RTL");
    bytes.resize(2 * 512);  // the tail with the free blocks and block 4 is lost
    WriteBytes("t.RTL", bytes);
    for (int open = 0; open < 2; ++open) {
        ASSERT_TRUE(store_.OpenTable("t", "")) << LastError();
        store_.CloseTable();
    }
    ASSERT_TRUE(store_.OpenTable("t", ""));
    EXPECT_EQ(Text(store_, "内容"), "a");
    store_.SkipRecords();
    EXPECT_EQ(Text(store_, "内容"), "");  // its block was cut off
    Put(std::string(800, 'c'));
    EXPECT_EQ(AllTexts(store_), (std::vector<std::string>{"a", std::string(800, 'c')}));
}

// While another process holds the block header, a write that would have to
// take or free blocks is refused before it touches any block: the value stays
// whole and no block is lost to the free list.
TEST_F(LongTextTest, AWriteRefusedTheBlockHeaderLeavesTheValueAndLosesNoBlock) {
    struct Case {
        size_t before, after;
        bool written;  // the same number of blocks needs no header
    } cases[] = {{1400, 5, false}, {300, 1400, false}, {600, 700, true}};
    for (const Case& c : cases) {
        const std::string before(c.before, 'o'), after(c.after, 'n');
        Put(before);
        const int32_t blocks = Blocks();
        std::unique_ptr<File> other;
        ASSERT_EQ(os_->Open(dir_ + "/t.RTL", &other), 0);
        ASSERT_EQ(other->Lock(0, 1), 0);
        EXPECT_EQ(store_.ModifyRecord({std::nullopt, Value(after)}), c.written) << c.before;
        EXPECT_EQ(Text(store_, "内容"), c.written ? after : before) << c.before;
        ASSERT_EQ(other->Unlock(0, 1), 0);
        EXPECT_EQ(Blocks(), blocks) << c.before;
        Put("x");  // every other block is freed and cut off again
        EXPECT_EQ(Blocks(), 2) << c.before;
        EXPECT_EQ(HeaderInt(20), 0) << c.before;
    }
}

// Another process may grow the file between the start of a write and the
// moment this writer holds the block header: the blocks it added stay its own.
TEST_F(LongTextTest, BlocksAnotherWriterAddedMeanwhileAreNeverTakenAgain) {
    ASSERT_TRUE(store_.AddRecord({}));  // the other writer's record
    FaultyFileSystem fs(*os_);
    RecordStore mine(fs);
    ASSERT_TRUE(mine.OpenTable("t", ""));
    bool other_wrote = false;
    fs.hook = [&](FaultyFileSystem::Op op, const std::string& path, int64_t offset, int64_t size) {
        const bool header_lock = op == FaultyFileSystem::Op::kLock &&
                                 path.substr(path.size() - 4) == ".RTL" && offset == 0 && size == 1;
        if (header_lock && !other_wrote) {
            other_wrote = true;
            EXPECT_TRUE(store_.ModifyRecord({std::nullopt, Value(std::string(700, 'b'))}))
                << LastError();
        }
        return 0;
    };
    ASSERT_TRUE(mine.ModifyRecord({std::nullopt, Value(std::string(600, 'a'))})) << LastError();
    fs.hook = nullptr;
    ASSERT_TRUE(other_wrote);
    EXPECT_EQ(AllTexts(store_),
              (std::vector<std::string>{std::string(600, 'a'), std::string(700, 'b')}));
    EXPECT_EQ(Blocks(), 5);
    EXPECT_EQ(HeaderInt(16), 5);
    mine.CloseTable();
}

// A writer cut off after any number of its long-text writes (a crash) leaves
// its value readable and every other value untouched.
TEST_F(LongTextTest, ARewriteCutShortNeverCrossLinksChains) {
    const std::string old_value(600, 'o');
    const std::string other(700, 'k');
    const std::string grown(1800, 'g');
    for (int allowed = 0; allowed < 8; ++allowed) {
        store_.CloseTable();
        MakeTable("t.RTB", ContentFields(), "");
        FaultyFileSystem fs(*os_);
        RecordStore store(fs);
        ASSERT_TRUE(store.OpenTable("t", ""));
        ASSERT_TRUE(store.AddRecord(Texts("", old_value)));
        ASSERT_TRUE(store.AddRecord(Texts("", other)));
        int writes = 0;
        fs.hook = [&](FaultyFileSystem::Op op, const std::string& path, int64_t, int64_t) {
            const bool long_text = path.substr(path.size() - 4) == ".RTL";
            if (op != FaultyFileSystem::Op::kWrite || !long_text) return 0;
            return writes++ < allowed ? 0 : err::kDiskFull;
        };
        store.GoToFirstRecord();
        store.ModifyRecord({std::nullopt, Value(grown)});
        fs.hook = nullptr;
        store.CloseTable();  // the crash: a new store opens what is on disk

        RecordStore after(*os_);
        ASSERT_TRUE(after.OpenTable("t", ""));
        const std::string first = Text(after, "内容");
        EXPECT_EQ(LastError(), 0) << allowed;
        // Reused blocks are rewritten in place, so a cut can leave a mix of
        // the old and the new text, but never bytes of another value.
        EXPECT_EQ(first.find_first_not_of("og"), std::string::npos) << allowed;
        EXPECT_GE(first.size(), old_value.size()) << allowed;
        ASSERT_TRUE(after.AddRecord(Texts("", std::string(1500, 'n'))));
        EXPECT_EQ(AllTexts(after), (std::vector<std::string>{first, other, std::string(1500, 'n')}))
            << allowed;
        after.CloseTable();
    }
    ASSERT_TRUE(store_.OpenTable("t", ""));
}

}  // namespace
}  // namespace tovanel::store::testing
