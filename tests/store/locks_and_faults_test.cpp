// Locks held by other handles, lock bookkeeping, and failing file calls.
#include "store/lock_set.h"
#include "store_fixture.h"

namespace tovanel::store::testing {
namespace {

using Op = FaultyFileSystem::Op;

class LocksTest : public StoreTest {
  protected:
    std::unique_ptr<File> OtherHandle(const std::string& file) {
        std::unique_ptr<File> other;
        EXPECT_EQ(os_->Open(dir_ + "/" + file, &other), 0);
        return other;
    }
};

TEST_F(LocksTest, NestedBytesAndTheWholeRangeAreReleasedAtTheLastRelease) {
    MakeTable("t.RTB", SettingsFields());
    std::unique_ptr<File> mine = OtherHandle("t.RTB");
    std::unique_ptr<File> theirs = OtherHandle("t.RTB");
    FaultyFileSystem fs(*os_);
    LockSet locks(*mine, fs);
    ASSERT_EQ(locks.LockByte(300), 0);
    ASSERT_EQ(locks.LockByte(300), 0);
    ASSERT_EQ(locks.UnlockByte(300), 0);
    EXPECT_EQ(theirs->Lock(300, 1), err::kLockViolation);  // still held once
    ASSERT_EQ(locks.UnlockByte(300), 0);
    EXPECT_EQ(theirs->Lock(300, 1), 0);
    EXPECT_EQ(theirs->Unlock(300, 1), 0);
    EXPECT_EQ(locks.UnlockByte(300), err::kNotLocked);

    // The whole range is taken around bytes already held, and nests by depth.
    ASSERT_EQ(locks.LockByte(16), 0);
    ASSERT_EQ(locks.LockWhole(), 0);
    ASSERT_EQ(locks.LockWhole(), 0);
    EXPECT_EQ(locks.LockByte(500), 0);  // no further effect while the whole range is held
    EXPECT_EQ(theirs->Lock(1000000, 1), err::kLockViolation);
    ASSERT_EQ(locks.UnlockWhole(), 0);
    EXPECT_EQ(theirs->Lock(1000000, 1), err::kLockViolation);
    ASSERT_EQ(locks.UnlockWhole(), 0);
    EXPECT_EQ(theirs->Lock(1000000, 1), 0);
    EXPECT_EQ(theirs->Lock(16, 1), err::kLockViolation);
    EXPECT_EQ(locks.UnlockWhole(), err::kNotLocked);
}

TEST_F(LocksTest, ALockedRecordRefusesReadsAndWritesAtOnce) {
    MakeContent({"甲", "乙"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    std::unique_ptr<File> other = OtherHandle("内容.RTB");
    const int64_t first_record = 116 + 2 * 72;
    ASSERT_EQ(other->Lock(first_record, 1), 0);
    EXPECT_EQ(Text(store, "内容"), "");
    EXPECT_EQ(LastError(), err::kLockViolation);
    EXPECT_FALSE(store.ModifyRecord(Texts("F1", "x")));
    EXPECT_EQ(LastError(), err::kLockViolation);
    EXPECT_FALSE(store.DeleteRecord());
    EXPECT_FALSE(store.PurgeDeleted());
    EXPECT_FALSE(store.ClearTable());
    EXPECT_EQ(LastError(), err::kLockViolation);
    store.SkipRecords();
    EXPECT_EQ(Text(store, "内容"), "乙");  // other records are free
    ASSERT_EQ(other->Unlock(first_record, 1), 0);
    store.GoToFirstRecord();
    EXPECT_EQ(Text(store, "内容"), "甲");
    EXPECT_EQ(store.GetRecordCount(), 2);  // nothing was changed by the refused calls
}

TEST_F(LocksTest, RecordCountWaitsTwoSecondsForTheHeaderLockOthersDoNot) {
    MakeContent({"甲"});
    FaultyFileSystem fs(*os_);
    RecordStore store(fs);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    std::unique_ptr<File> other = OtherHandle("内容.RTB");
    ASSERT_EQ(other->Lock(16, 1), 0);
    EXPECT_EQ(store.GetRecordCount(), 0);
    EXPECT_EQ(LastError(), err::kLockViolation);
    ASSERT_FALSE(fs.sleeps.empty());
    for (uint32_t pause : fs.sleeps) {
        EXPECT_GE(pause, 20u);
        EXPECT_LT(pause, 40u);
    }
    EXPECT_GE(fs.clock_ms, 2000u);
    EXPECT_LT(fs.clock_ms, 2040u);
    fs.sleeps.clear();
    EXPECT_FALSE(store.AddRecord(Texts("", "新")));  // the add's header lock does not wait
    EXPECT_EQ(LastError(), err::kLockViolation);
    EXPECT_TRUE(fs.sleeps.empty());
    ASSERT_EQ(other->Unlock(16, 1), 0);
    EXPECT_EQ(store.GetRecordCount(), 1);
}

TEST_F(LocksTest, TheHeaderLockIsFreeAgainAfterEachOperation) {
    MakeContent({"甲"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    std::unique_ptr<File> other = OtherHandle("内容.RTB");
    ASSERT_TRUE(store.AddRecord(Texts("", "乙")));
    EXPECT_EQ(store.GetRecordCount(), 2);
    ASSERT_TRUE(store.ModifyRecord(Texts("F3", std::string(800, 'x'))));
    EXPECT_EQ(Text(store, "内容"), std::string(800, 'x'));
    ASSERT_TRUE(store.DeleteRecord());
    ASSERT_TRUE(store.PurgeDeleted());
    EXPECT_EQ(other->Lock(0, LockSet::kWholeLength), 0);  // nothing is left locked
    EXPECT_EQ(other->Unlock(0, LockSet::kWholeLength), 0);
    store.CloseTable();
}

class FaultTest : public StoreTest {
  protected:
    // Fails calls of one kind on one file from the n-th on (counted from 0).
    void FailFrom(Op op, const std::string& ext, int n, int code) {
        count_ = 0;
        fs_.hook = [=](Op o, const std::string& path, int64_t, int64_t) {
            if (o != op || path.substr(path.size() - ext.size()) != ext) return 0;
            return count_++ >= n ? code : 0;
        };
    }
    void Heal() { fs_.hook = nullptr; }
    FaultyFileSystem fs_{*os_};
    int count_ = 0;
};

TEST_F(FaultTest, ShortReadsGiveTheCodeOfWhatWasBeingRead) {
    MakeContent({"甲", std::string(700, 'y')});
    RecordStore store(fs_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    struct Case {
        const char* what;
        std::function<bool()> op;
        Op fail;
        const char* ext;
        int code;
    } cases[] = {
        {"count", [&] { return store.GetRecordCount() != 0; }, Op::kRead, ".RTB",
         err::kShortCountRead},
        {"skip", [&] { return store.SkipRecords(); }, Op::kRead, ".RTB", err::kShortCountRead},
        {"field", [&] { return !Text(store, "快捷键").empty() || LastError() == 0; }, Op::kRead,
         ".RTB", err::kShortFieldRead},
        {"block", [&] { return !Text(store, "内容").empty() || LastError() == 0; }, Op::kRead,
         ".RTL", err::kBlockIo},
        {"modify", [&] { return store.ModifyRecord(Texts("F1", "x")); }, Op::kRead, ".RTB",
         err::kShortRecordRead},
        {"delete", [&] { return store.DeleteRecord(); }, Op::kRead, ".RTB", err::kShortRecordRead},
        {"purge", [&] { return store.PurgeDeleted(); }, Op::kRead, ".RTB", err::kShortCountRead},
        {"add", [&] { return store.AddRecord(Texts("", "z")); }, Op::kRead, ".RTB",
         err::kShortCountRead},
    };
    for (const Case& c : cases) {
        store.GoToFirstRecord();
        FailFrom(c.fail, c.ext, 0, FaultyFileSystem::kShortRead);
        EXPECT_FALSE(c.op()) << c.what;
        EXPECT_EQ(LastError(), c.code) << c.what;
        Heal();
    }
    EXPECT_EQ(store.GetRecordCount(), 2);
    EXPECT_EQ(AllTexts(store), (std::vector<std::string>{"甲", std::string(700, 'y')}));
}

TEST_F(FaultTest, OsErrorsPassThroughAsTheirCodes) {
    MakeContent({"甲"});
    RecordStore store(fs_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    for (int code : {err::kHardware, err::kDiskFull, err::kAccessDenied}) {
        FailFrom(Op::kWrite, ".RTB", 0, code);
        EXPECT_FALSE(store.AddRecord(Texts("", "乙")));
        EXPECT_EQ(LastError(), code);
        Heal();
    }
    FailFrom(Op::kLock, ".RTB", 0, err::kLockFailed);
    EXPECT_FALSE(store.DeleteRecord());
    EXPECT_EQ(LastError(), err::kLockFailed);
    Heal();
    EXPECT_EQ(store.GetRecordCount(), 1);
}

TEST_F(FaultTest, FailedLongTextWriteStillWritesTheRecordAndReportsFalse) {
    MakeContent({});
    RecordStore store(fs_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    FailFrom(Op::kWrite, ".RTL", 0, err::kDiskFull);
    EXPECT_FALSE(store.AddRecord(Texts("F5", std::string(900, 'q'))));
    EXPECT_EQ(LastError(), err::kBlockIo);
    Heal();
    EXPECT_EQ(store.GetRecordCount(), 1);
    EXPECT_EQ(store.Cursor(), 0);
    EXPECT_EQ(Text(store, "快捷键"), "F5");
    EXPECT_EQ(Text(store, "内容"), "");
    EXPECT_EQ(LastError(), 0);
}

TEST_F(FaultTest, OpenFailuresCloseWhatTheyOpened) {
    MakeContent({"甲"});
    RecordStore store(fs_);
    FailFrom(Op::kRead, ".RTL", 0, FaultyFileSystem::kShortRead);
    EXPECT_FALSE(store.OpenTable("内容", kPassword));
    EXPECT_EQ(LastError(), err::kBadLongTextFile);
    Heal();
    // No lock was left behind by the failed open.
    std::unique_ptr<File> other;
    ASSERT_EQ(os_->Open(dir_ + "/内容.RTB", &other), 0);
    EXPECT_EQ(other->Lock(0, LockSet::kWholeLength), 0);
    other.reset();
    EXPECT_TRUE(store.OpenTable("内容", kPassword));
}

}  // namespace
}  // namespace tovanel::store::testing
