// Misuse that ends the program: reading a field that is not there.
#include "store_fixture.h"

namespace tovanel::store::testing {
namespace {

class FatalTest : public StoreTest {};

TEST_F(FatalTest, UnknownFieldEndsTheProcessWithMinusOne) {
    MakeTable("设置.RTB", SettingsFields());
    EXPECT_EXIT(
        {
            RecordStore store(
                *os_, [](const std::string& m) { fprintf(stderr, "box: %s\n", m.c_str()); });
            store.OpenTable("设置", kPassword);
            store.ReadField("没有的字段");
        },
        ::testing::ExitedWithCode(255), "box: .*");
}

TEST_F(FatalTest, ReadWithoutATableEndsTheProcess) {
    EXPECT_EXIT(
        {
            RecordStore store(*os_);
            store.ReadField("内容");
        },
        ::testing::ExitedWithCode(255), "no table");
}

TEST_F(FatalTest, FieldNamesMatchIgnoringAsciiCase) {
    MakeTable("t.RTB", {{"Name", kFixedText, 0, 8}});
    RecordStore store(*os_);
    ASSERT_TRUE(store.OpenTable("t", kPassword));
    ASSERT_TRUE(store.AddRecord({Value(std::string("v"))}));
    EXPECT_EQ(Text(store, "nAME"), "v");
}

}  // namespace
}  // namespace tovanel::store::testing
