// Opening tables: names, passwords, and every way a file can be refused.
#include <cstring>

#include "store/table.h"
#include "store/table_format.h"
#include "store_fixture.h"

namespace tovanel::store::testing {
namespace {

using format::PutI32;

class OpenTableTest : public StoreTest {};

TEST_F(OpenTableTest, NameGetsDefaultExtensionUnlessItHasOne) {
    MakeTable("内容.RTB", ContentFields());
    MakeTable("内容.dat", ContentFields());
    RecordStore store(*os_);
    for (const char* name : {"内容", "内容.", "内容.RTB", "./内容", "内容.dat"}) {
        EXPECT_TRUE(store.OpenTable(name, kPassword)) << name << " code " << LastError();
        store.CloseTable();
    }
    EXPECT_FALSE(store.OpenTable("内容.rtx", kPassword));
    EXPECT_EQ(LastError(), err::kNotFound);
}

TEST_F(OpenTableTest, ExtensionScanStepsOverDoubleByteCharacters) {
    FaultyFileSystem gbk(*os_);
    gbk.lead_bytes = true;
    gbk.backslash = true;
    // 0x81 0x5C is one GBK character whose trail byte looks like a backslash.
    const std::string tricky = "a.b\x81\x5c";
    EXPECT_EQ(WithDefaultExtension(gbk, tricky), tricky);
    EXPECT_EQ(WithDefaultExtension(gbk, "dir.d\\name"), "dir.d\\name.RTB");
    EXPECT_EQ(WithDefaultExtension(gbk, "name."), "name.RTB");
    EXPECT_EQ(WithExtension(gbk, "c:\\x\\内容.RTB", "RTL"), "c:\\x\\内容.RTL");
    EXPECT_TRUE(SamePath(gbk, "C:\\Tab\\内容.rtb", "c:\\tab\\内容.RTB"));
    // Trail bytes in the ASCII letter range are not letters: no case folding.
    EXPECT_FALSE(SamePath(gbk, "\x81\x41", "\x81\x61"));
}

TEST_F(OpenTableTest, SecondOpenOfSameFileIsRefusedUntilClosed) {
    MakeTable("设置.RTB", SettingsFields());
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("设置", kPassword));
    EXPECT_FALSE(store.OpenTable("设置.RTB", kPassword));
    EXPECT_EQ(LastError(), err::kAlreadyOpen);
    EXPECT_TRUE(store.HasCurrentTable());  // the failed open left the current table alone
    store.CloseTable();
    EXPECT_FALSE(store.HasCurrentTable());
    EXPECT_TRUE(store.OpenTable("设置", kPassword));
    store.CloseTable();
    EXPECT_FALSE(store.HasCurrentTable());
    store.CloseTable();  // closing with no current table does nothing
}

TEST_F(OpenTableTest, PasswordsMustMatchTheTable) {
    MakeTable("plain.RTB", SettingsFields(), "");
    MakeTable("sealed.RTB", SettingsFields(), "Secret");
    struct Case {
        const char* table;
        const char* password;
        bool opens;
    } cases[] = {
        {"plain", "", true},   {"plain", "x", false},       {"sealed", "Secret", true},
        {"sealed", "", false}, {"sealed", "secret", false}, {"sealed", "Secret ", false},
    };
    RecordStore store(*os_);
    for (const Case& c : cases) {
        EXPECT_EQ(store.OpenTable(c.table, c.password), c.opens) << c.table << "/" << c.password;
        if (c.opens) {
            store.CloseTable();
        } else {
            EXPECT_EQ(LastError(), err::kBadPassword);
        }
    }
}

TEST_F(OpenTableTest, ProtectedFileIsEncipheredBeyondTheMagic) {
    MakeTable("sealed.RTB", ContentFields(), kPassword);
    const std::vector<uint8_t> bytes = ReadBytes("sealed.RTB");
    ASSERT_GE(bytes.size(), 116u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "QRTC");
    uint8_t plain_version[4];
    PutI32(plain_version, format::kVersion);
    EXPECT_NE(std::memcmp(bytes.data() + 4, plain_version, 4), 0);
    const std::vector<uint8_t> long_text = ReadBytes("sealed.RTL");
    ASSERT_EQ(long_text.size(), 512u);
    EXPECT_EQ(std::string(long_text.begin(), long_text.begin() + 4), "QRTL");
    EXPECT_NE(long_text[16], 1);  // the block count is enciphered too
}

TEST_F(OpenTableTest, MissingEmptyAndOverlongNames) {
    RecordStore store(*os_);
    EXPECT_FALSE(store.OpenTable("", kPassword));
    EXPECT_EQ(LastError(), err::kNotFound);
    EXPECT_FALSE(store.OpenTable("没有", kPassword));
    EXPECT_EQ(LastError(), err::kNotFound);
    EXPECT_FALSE(store.OpenTable(std::string(300, 'a'), kPassword));
    EXPECT_EQ(LastError(), err::kBadPath);
    EXPECT_FALSE(store.HasCurrentTable());
}

// Damage to a plain table with a long-text field; every case must be refused
// with its code, and the file must stay as it was.
struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> apply;
    int code;
};

class DamagedTableTest : public StoreTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedTableTest, IsRefusedWithItsCodeAndLeftUnchanged) {
    MakeTable("t.RTB", ContentFields(), "");
    std::vector<uint8_t> bytes = ReadBytes("t.RTB");
    GetParam().apply(bytes);
    WriteBytes("t.RTB", bytes);
    RecordStore store(*os_);
    EXPECT_FALSE(store.OpenTable("t", ""));
    EXPECT_EQ(LastError(), GetParam().code);
    EXPECT_FALSE(store.HasCurrentTable());
    EXPECT_EQ(ReadBytes("t.RTB"), bytes);
}

const int64_t kD1 = 116;  // first descriptor
INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedTableTest,
    ::testing::Values(
        Damage{"empty", [](auto& b) { b.clear(); }, err::kBadHeader},
        Damage{"truncated header", [](auto& b) { b.resize(60); }, err::kBadHeader},
        Damage{"wrong magic", [](auto& b) { b[3] = 'X'; }, err::kBadHeader},
        Damage{"record size 0", [](auto& b) { PutI32(&b[24], 0); }, err::kBadHeader},
        Damage{"negative size", [](auto& b) { PutI32(&b[24], -9); }, err::kBadHeader},
        Damage{"gigabyte records", [](auto& b) { PutI32(&b[24], 1500000000); }, err::kBadHeader},
        Damage{"negative count", [](auto& b) { PutI32(&b[16], -1); }, err::kBadHeader},
        Damage{"next number 0", [](auto& b) { PutI32(&b[20], 0); }, err::kBadHeader},
        Damage{"newer version", [](auto& b) { PutI32(&b[4], 0x10001); }, err::kBadVersion},
        Damage{"no fields", [](auto& b) { PutI32(&b[112], 0); }, err::kBadHeader},
        Damage{"huge field count", [](auto& b) { PutI32(&b[112], 0x7fffffff); }, err::kBadHeader},
        Damage{"descriptor cut", [](auto& b) { b.resize(kD1 + 100); }, err::kBadHeader},
        Damage{"name without zero", [](auto& b) { std::memset(&b[kD1], 'n', 20); },
               err::kBadHeader},
        Damage{"type 0", [](auto& b) { PutI32(&b[kD1 + 20], 0); }, err::kBadHeader},
        Damage{"type 13", [](auto& b) { PutI32(&b[kD1 + 20], 13); }, err::kBadHeader},
        Damage{"width 0", [](auto& b) { PutI32(&b[kD1 + 28], 0); }, err::kBadHeader},
        Damage{"negative offset", [](auto& b) { PutI32(&b[kD1 + 24], -4); }, err::kBadHeader},
        Damage{"field over record number", [](auto& b) { PutI32(&b[kD1 + 24], 0); },
               err::kBadHeader},
        Damage{"field past record end", [](auto& b) { PutI32(&b[kD1 + 72 + 24], 1000); },
               err::kBadHeader}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST_F(OpenTableTest, LongTextFileProblemsAreRefused) {
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> apply;
        int code;
    } cases[] = {
        {"missing", nullptr, err::kBadLongTextFile},
        {"short", [](auto& b) { b.resize(20); }, err::kBadLongTextFile},
        {"magic", [](auto& b) { b[0] = 'X'; }, err::kBadLongTextFile},
        {"no blocks", [](auto& b) { PutI32(&b[16], 0); }, err::kBadLongTextFile},
        {"free count", [](auto& b) { PutI32(&b[20], 1); }, err::kBadLongTextFile},
        {"first free", [](auto& b) { PutI32(&b[24], 5); }, err::kBadLongTextFile},
        {"version", [](auto& b) { PutI32(&b[4], 0x20000); }, err::kLongTextVersion},
    };
    for (const Case& c : cases) {
        MakeTable("t.RTB", ContentFields(), "");
        if (c.apply) {
            std::vector<uint8_t> bytes = ReadBytes("t.RTL");
            c.apply(bytes);
            WriteBytes("t.RTL", bytes);
        } else {
            std::filesystem::remove(dir_ + "/t.RTL");
        }
        RecordStore store(*os_);
        EXPECT_FALSE(store.OpenTable("t", "")) << c.what;
        EXPECT_EQ(LastError(), c.code) << c.what;
    }
}

TEST_F(OpenTableTest, CountBeyondTheFileIsLoweredAndTailCut) {
    MakeContent({"一", "二", "三"}, kFixedText, 40);
    const int64_t full = FileSize("内容.RTB");
    const int64_t record = 4 + 8 + 40;
    // Half a record of garbage after the last record, and a lost last record.
    std::filesystem::resize_file(dir_ + "/内容.RTB", full - record + record / 2);
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    EXPECT_EQ(store.GetRecordCount(), 2);
    EXPECT_EQ(AllTexts(store), (std::vector<std::string>{"一", "二"}));
    store.CloseTable();
    EXPECT_EQ(FileSize("内容.RTB"), full - record);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    EXPECT_EQ(store.GetRecordCount(), 2);  // the lowered count was written back
}

TEST_F(OpenTableTest, TableLockedByAnotherHandleIsNotOpened) {
    MakeTable("设置.RTB", SettingsFields());
    std::unique_ptr<File> other;
    ASSERT_EQ(os_->Open(dir_ + "/设置.RTB", &other), 0);
    ASSERT_EQ(other->Lock(16, 1), 0);
    RecordStore store(*os_);
    EXPECT_FALSE(store.OpenTable("设置", kPassword));
    EXPECT_EQ(LastError(), err::kLockViolation);
    ASSERT_EQ(other->Unlock(16, 1), 0);
    EXPECT_TRUE(store.OpenTable("设置", kPassword));
}

TEST_F(OpenTableTest, FailedOpenKeepsTheOtherTablesAndTheCurrentOne) {
    MakeTable("设置.RTB", SettingsFields());
    MakeContent({"甲"});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("设置", kPassword));
    ASSERT_TRUE(store.AddRecord({Value(true)}));
    EXPECT_FALSE(store.OpenTable("内容", "wrong"));
    EXPECT_EQ(std::get<bool>(store.ReadField("粘贴或发送")), true);
    ASSERT_TRUE(store.OpenTable("内容", kPassword));
    EXPECT_EQ(Text(store, "内容"), "甲");  // the newly opened table is current
}

}  // namespace
}  // namespace tovanel::store::testing
