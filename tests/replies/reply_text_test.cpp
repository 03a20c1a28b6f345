// The text routines of the reply file: SplitText, TextBetween and the parse.
#include <gtest/gtest.h>

#include "replies/reply_text.h"

namespace tovanel::replies {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitTextTest, PiecesBetweenSeparators) {
    struct Case {
        std::string text, separator;
        size_t limit;
        Pieces pieces;
    };
    const Case cases[] = {
        {"", ",", 0, {}},
        {"a,b", ",", 0, {"a", "b"}},
        {"a,b,", ",", 0, {"a", "b"}},      // no empty last piece
        {"a,,b", ",", 0, {"a", "", "b"}},  // but an empty piece between two
        {",a", ",", 0, {"", "a"}},
        {"a\r\nb\r\n", "\r\n", 0, {"a", "b"}},
        {"a\nb", "\r\n", 0, {"a\nb"}},        // a bare LF ends no line
        {"[F1]x]y]z", "]", 2, {"[F1", "x"}},  // the rest after the limit is dropped
        {"[F1]x", "]", 2, {"[F1", "x"}},
        {"[F1]", "]", 2, {"[F1"}},
        // "]" (0x5D) as the trail byte of a double-byte character is no separator.
        {"\x81\x5D]x", "]", 0, {"\x81\x5D", "x"}},
        {"\x81[a]", "[", 0, {"\x81[a]"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.separator, c.limit), c.pieces) << c.text;
    }
}

TEST(TextBetweenTest, TextStrictlyBetweenTheFirstMarkers) {
    struct Case {
        std::string text, start, end;
        size_t position;
        bool ignore_case;
        std::string between;
    };
    const Case cases[] = {
        {"[F1]hello", "[", "]", 0, true, "F1"},
        {"[]hello", "[", "]", 0, true, ""},
        {"hello]x", "[", "]", 0, true, ""},    // no start marker
        {"[F1 hello", "[", "]", 0, true, ""},  // no end marker
        {"a[b]c[d]", "[", "]", 1, false, "b"},
        {"a[b]c[d]", "[", "]", 4, false, "d"},
        {"xABy", "ab", "y", 0, true, ""},
        {"xABcy", "ab", "y", 0, true, "c"},
        {"xABcy", "ab", "y", 0, false, ""},
        {"say \"hi\" now", "#引号", "#引号", 0, false, "hi"},
        // Markers inside double-byte characters do not count.
        {"\x81[\x81]x[k]", "[", "]", 0, true, "k"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.position, c.ignore_case), c.between)
            << c.text;
    }
}

TEST(ReplyFileTest, ExportWritesTextRowsOnlyEachEndingWithCrLf) {
    const std::vector<ReplyRow> rows = {{"F1", "您好"}, {"文件", "a.png"}, {"", "好的"}, {"", ""}};
    EXPECT_EQ(ExportText(rows), "[F1]您好\r\n[]好的\r\n[]\r\n");
    EXPECT_EQ(ExportText({{"文件", "a.png"}}), "");
}

TEST(ReplyFileTest, ParseReadsHotkeyAndContentOfEachLine) {
    const ParsedReplies parsed = ParseReplyText(
        "[F1]您好\r\n"
        "\r\n"  // blank lines are skipped
        "  \r\n"
        "[]好的\r\n"
        "no hotkey]text\r\n"  // no "[": empty hotkey, content after the first "]"
        "[f2]a]b\r\n"         // the content ends at the next "]"
        "[文件]a.png\r\n"
        "[F3]]\r\n"   // an empty content is still content
        "[F4]last");  // no CR LF at the end
    EXPECT_EQ(parsed.bad_line, 0u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"F1", "您好"},    {"", "好的"}, {"", "text"},  {"f2", "a"},
        {"文件", "a.png"}, {"F3", ""},   {"F4", "last"}};
    std::vector<std::pair<std::string, std::string>> got;
    for (const ReplyRow& row : parsed.rows) got.emplace_back(row.key, row.text);
    EXPECT_EQ(got, expected);
}

TEST(ReplyFileTest, ParseEndsAtNulOrCtrlZ) {
    for (const char end : {'\0', '\x1A'}) {
        std::string bytes = "[F1]a\r\n[F2]b";
        bytes += end;
        bytes += "garbage without bracket\r\n";
        const ParsedReplies parsed = ParseReplyText(bytes);
        EXPECT_EQ(parsed.bad_line, 0u);
        ASSERT_EQ(parsed.rows.size(), 2u);
        EXPECT_EQ(parsed.rows[1].text, "b");
    }
}

TEST(ReplyFileTest, ALineWithoutContentRefusesTheWholeFileByItsNumber) {
    struct Case {
        std::string bytes;
        size_t bad_line;
    };
    const Case cases[] = {
        {"[F1]a\r\nno bracket\r\n[F2]b\r\n", 2},
        {"[F1]a\r\n\r\n[F2]\r\n", 3},  // blank lines still count in the numbering
        {"]\r\n", 1},
        {"[F1]a\nno CRLF\r\n", 0},  // one line "[F1]a\nno CRLF": content "a\nno CRLF"
        {"\x81]\r\n", 1},           // the "]" is a trail byte
    };
    for (const Case& c : cases) {
        const ParsedReplies parsed = ParseReplyText(c.bytes);
        EXPECT_EQ(parsed.bad_line, c.bad_line) << c.bytes;
        if (c.bad_line != 0) {
            EXPECT_TRUE(parsed.rows.empty());
        }
    }
}

}  // namespace
}  // namespace tovanel::replies
