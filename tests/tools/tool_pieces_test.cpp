// The portable pieces of rtbtool: text conversion, JSON, command line, names.
#include <gtest/gtest.h>

#include "command_line.h"
#include "common/json_quote.h"
#include "json_line.h"
#include "store/record_store.h"
#include "table_commands.h"
#include "text_codec.h"

namespace tovanel::rtbtool {
namespace {

using tools::JsonQuote;

TEST(TextCodec, ConvertsBetweenUtf8AndGbk) {
    // Plain literals are GBK in this build, u8 literals UTF-8.
    std::string gbk;
    ASSERT_TRUE(Utf8ToGbk(u8"快捷键 F1", &gbk));
    EXPECT_EQ(gbk, "快捷键 F1");
    EXPECT_EQ(GbkToUtf8("内容：您好！"), u8"内容：您好！");
    EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(TextCodec, RefusesInvalidOrUnrepresentableUtf8) {
    const char* const cases[] = {
        "\xFF",              // never valid
        "\xC0\x80",          // overlong zero
        "\xE5\x86",          // cut short
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        u8"\U0001F600",      // emoji: not in GBK
    };
    for (const char* text : cases) {
        std::string gbk;
        EXPECT_FALSE(Utf8ToGbk(text, &gbk)) << "case " << ::testing::PrintToString(text);
    }
}

TEST(TextCodec, ReplacesBrokenGbkInsteadOfFailing) {
    // A fixed width may cut a double-byte character in two.
    EXPECT_EQ(GbkToUtf8(std::string("内") + "\xC8"), u8"内\uFFFD");
    EXPECT_EQ(GbkToUtf8(std::string("a\xFF") + "b"), u8"a\uFFFDb");
}

TEST(TextCodec, NamesCompareLikeTheStore) {
    EXPECT_TRUE(GbkNamesEqual("Key", "kEY"));
    EXPECT_TRUE(GbkNamesEqual("快捷键", "快捷键"));
    EXPECT_FALSE(GbkNamesEqual("快捷键", "快捷"));
    // A trail byte that looks like a letter is not folded.
    EXPECT_FALSE(GbkNamesEqual("\x81\x41", "\x81\x61"));
}

TEST(Json, QuotesEveryCharacterThatNeedsIt) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("\x01\x1F\x7F", 3), "\"\\u0001\\u001f\\u007f\""},
        {std::string("a\0b", 3), "\"a\\u0000b\""},
        {u8"中文/é", u8"\"中文/é\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonQuote(c.in), c.out);
}

TEST(Json, BuildsOneObjectPerLine) {
    JsonLine line;
    line.AddNumber("no", -3);
    line.AddBool(u8"开", true);
    line.AddString("t", "x\"y");
    line.AddNull("n");
    EXPECT_EQ(line.Finish(), u8"{\"no\": -3, \"开\": true, \"t\": \"x\\\"y\", \"n\": null}\n");
}

TEST(CommandLine, ParsesTheThreeCommands) {
    Command c;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(
        {"create", "t", "--password", "pw", "a:logical", "b:text:8", "c:longtext"}, &c, &error))
        << error;
    EXPECT_EQ(c.kind, CommandKind::kCreate);
    EXPECT_EQ(c.table, "t");
    EXPECT_EQ(c.password, "pw");
    ASSERT_EQ(c.fields.size(), 3u);
    EXPECT_EQ(c.fields[0].type, store::kLogical);
    EXPECT_EQ(c.fields[1].type, store::kFixedText);
    EXPECT_EQ(c.fields[1].width, 8);
    EXPECT_EQ(c.fields[2].type, store::kLongText);

    ASSERT_TRUE(ParseCommandLine({"add", "t", "k=a=b", "--password=x", "e="}, &c, &error));
    EXPECT_EQ(c.password, "x");
    ASSERT_EQ(c.assignments.size(), 2u);
    EXPECT_EQ(c.assignments[0].name, "k");
    EXPECT_EQ(c.assignments[0].value, "a=b");
    EXPECT_EQ(c.assignments[1].value, "");

    ASSERT_TRUE(ParseCommandLine({"dump", "--", "--odd"}, &c, &error));
    EXPECT_EQ(c.table, "--odd");
    ASSERT_TRUE(ParseCommandLine({"--help"}, &c, &error));
    EXPECT_EQ(c.kind, CommandKind::kHelp);
    ASSERT_TRUE(ParseCommandLine({"dump", "t", "--help"}, &c, &error));
    EXPECT_EQ(c.kind, CommandKind::kHelp);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"drop", "t"},
        {"dump"},
        {"dump", "t", "extra"},
        {"dump", "t", "--password"},
        {"dump", "t", "--verbose"},
        {"create", "t"},
        {"create", "t", "a"},
        {"create", "t", ":logical"},
        {"create", "t", "a:text"},
        {"create", "t", "a:text:0"},
        {"create", "t", "a:text:65536"},
        {"create", "t", "a:text:8x"},
        {"create", "t", "a:logical:1"},
        {"create", "t", "a:number"},
        {"add", "t"},
        {"add", "t", "novalue"},
        {"add", "t", "=v"},
    };
    for (const auto& args : cases) {
        Command c;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(args, &c, &error)) << ::testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
    }
}

// Only the naming helpers of the port matter for the extension rule.
class GbkNamingFs : public store::FileSystem {
  public:
    int Open(const std::string&, std::unique_ptr<store::File>*) override { return -1; }
    int Create(const std::string&, std::unique_ptr<store::File>*) override { return -1; }
    int FullPath(const std::string&, std::string*) override { return -1; }
    bool IsLeadByte(unsigned char c) const override { return c >= 0x81 && c <= 0xFE; }
    bool IsSeparator(char c) const override { return c == '\\' || c == '/'; }
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

TEST(TableName, GetsTheStoreExtensionRule) {
    GbkNamingFs fs;
    const struct {
        std::string in, out;
    } cases[] = {
        {"内容", "内容.RTB"},
        {"内容.", "内容.RTB"},
        {"内容.rtb", "内容.rtb"},
        {"a.b\\c", "a.b\\c.RTB"},
        {"dir.x/t", "dir.x/t.RTB"},
        // 0x5C after a lead byte is a trail byte, not a separator.
        {"d.e\x81\x5C"
         "f",
         "d.e\x81\x5C"
         "f"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithTableExtension(c.in, fs), c.out) << c.in;
}

}  // namespace
}  // namespace tovanel::rtbtool
