// rtbtool as a program: what it writes is what the store reads back, and bad
// invocations fail with a clear message and touch nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "run_program.h"
#include "store/record_store.h"

namespace tovanel::testing {
namespace {

namespace st = tovanel::store;

// Paths come from the build as UTF-8; u8"" keeps them so.
const std::string kRtbtool = u8"" RTBTOOL_PATH;
const std::string kDistDir = u8"" TOVANEL_DIST_DIR;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class RtbtoolTest : public ::testing::Test {
  protected:
    ProgramResult Run(const std::vector<std::string>& args) { return RunProgram(kRtbtool, args); }

    // Runs and expects success.
    std::string Ok(const std::vector<std::string>& args) {
        const ProgramResult r = Run(args);
        EXPECT_EQ(r.exit_code, 0) << ::testing::PrintToString(args) << "\n" << r.err;
        return r.out;
    }

    // A protected table with a fixed text, a long text and a logical.
    std::string MakeReplyTable() {
        const std::string table = dir_.File(u8"回复");
        Ok({"create", table, "--password", "240513", u8"快捷键:text:8", u8"内容:longtext",
            u8"开:logical"});
        return table;
    }

    TempDir dir_;
};

TEST_F(RtbtoolTest, RoundTripKeepsChineseLongAndEscapedTexts) {
    const std::string table = MakeReplyTable();
    EXPECT_TRUE(FileExists(table + ".RTB"));
    EXPECT_TRUE(FileExists(table + ".RTL"));
    std::string long_text;  // 600 bytes in GBK: two long-text blocks
    for (int i = 0; i < 60; ++i) long_text += u8"长文本测试";
    long_text += u8"。";
    const std::string pw = "--password=240513";
    Ok({"add", table, pw, u8"快捷键=F1", u8"内容=您好，请问有什么可以帮您？", u8"开=true"});
    Ok({"add", table, pw, u8"内容=" + long_text});
    Ok({"add", table, pw, u8"快捷键=F12", u8"内容=引号\"反斜杠\\换行\n制表\t", u8"开=false"});

    const std::vector<std::string> expected = {
        u8"{\"no\": 1, \"快捷键\": \"F1\", \"内容\": \"您好，请问有什么可以帮您？\", \"开\": true}",
        u8"{\"no\": 2, \"快捷键\": \"\", \"内容\": \"" + long_text + u8"\", \"开\": false}",
        u8"{\"no\": 3, \"快捷键\": \"F12\", \"内容\": \"引号\\\"反斜杠\\\\换行\\n制表\\t\", "
        u8"\"开\": false}",
    };
    EXPECT_EQ(Lines(Ok({"dump", table, pw})), expected);

    // Inside the table the texts are GBK (plain literals are GBK in this build).
    auto fs = st::MakeOsFileSystem();
    st::RecordStore store(*fs);
    ASSERT_TRUE(store.OpenTable(table, "240513"));
    EXPECT_EQ(std::get<std::string>(store.ReadField("内容")), "您好，请问有什么可以帮您？");
    ASSERT_TRUE(store.SkipRecords(1));
    EXPECT_EQ(std::get<std::string>(store.ReadField("内容")).size(), 602u);
}

TEST_F(RtbtoolTest, DumpShowsDeletedRecordsWithNegativeNumbers) {
    const std::string table = MakeReplyTable();
    for (const char* text : {u8"内容=一", u8"内容=二", u8"内容=三"}) {
        Ok({"add", table, "--password", "240513", text});
    }
    {
        auto fs = st::MakeOsFileSystem();
        st::RecordStore store(*fs);
        ASSERT_TRUE(store.OpenTable(table, "240513"));
        ASSERT_TRUE(store.SkipRecords(1));
        ASSERT_TRUE(store.DeleteRecord());
        store.CloseTable();
    }
    const std::vector<std::string> lines = Lines(Ok({"dump", table, "--password", "240513"}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], u8"{\"no\": -2, \"快捷键\": \"\", \"内容\": \"二\", \"开\": false}");
    EXPECT_EQ(lines[2].substr(0, 9), "{\"no\": 3,");
}

TEST_F(RtbtoolTest, TableNameGetsTheStoreExtension) {
    const std::string base = dir_.File("plain");
    Ok({"create", base, "flag:logical"});  // no password: an unprotected table
    EXPECT_TRUE(FileExists(base + ".RTB"));
    EXPECT_FALSE(FileExists(base + ".RTL"));
    Ok({"add", base + ".", "FLAG=true"});
    EXPECT_EQ(Ok({"dump", base + ".RTB"}), "{\"no\": 1, \"flag\": true}\n");
}

TEST_F(RtbtoolTest, BadInvocationsFailClearlyAndWriteNothing) {
    const std::string table = MakeReplyTable();
    const std::string pw = "--password=240513";
    Ok({"add", table, pw, u8"内容=原有"});
    const std::string before = Ok({"dump", table, pw});
    const std::string fresh = dir_.File("fresh");
    const struct {
        std::vector<std::string> args;
        int exit_code;
        std::string message;
    } cases[] = {
        {{"dump", table, "--password", "wrong"}, 1, "error -78"},
        {{"dump", table}, 1, "error -78"},
        {{"dump", table, "--password", "240513 "}, 1, "error -78"},
        {{"dump", dir_.File("missing"), pw}, 1, "error -3"},
        {{"add", dir_.File("missing"), pw, "a=b"}, 1, "error -3"},
        {{"add", table, "--password", "x", u8"内容=新"}, 1, "error -78"},
        {{"add", table, pw, u8"无此字段=x"}, 2, u8"no field '无此字段'"},
        {{"add", table, pw, u8"内容=新", u8"开=yes"}, 2, "true or false"},
        {{"add", table, pw, u8"快捷键=123456789"}, 2, "holds 8"},
        {{"add", table, pw, u8"快捷键=一二三四五"}, 2, "has 10 bytes"},
        {{"add", table, pw, "\xE5\x86\x85\xE5=x"}, 2, "no field"},
        {{"add", table, pw, u8"内容=\xFF\xFE"}, 2, "not valid UTF-8"},
        {{"add", table, pw, u8"内容=😀"}, 2, "GBK cannot hold"},
        {{"add", table, pw, u8"内容=a", u8"内容=b"}, 2, "twice"},
        {{"add", table, pw, "novalue"}, 2, "NAME=VALUE"},
        {{"create", table, pw, "x:logical"}, 2, "already exists"},
        {{"create", fresh, "x:text"}, 2, "width"},
        {{"create", fresh, "x:number"}, 2, "unknown type"},
        {{"create", fresh, u8"一二三四五六七八九:logical"}, 2, "longer than 16"},
        {{"create", fresh, "a:logical", "A:logical"}, 2, "twice"},
        {{"create", fresh, u8"\U0001F600:logical"}, 2, "GBK cannot hold"},
        {{"create", fresh}, 2, "at least one"},
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "no command"},
        {{"dump", table, "--bogus"}, 2, "unknown option"},
    };
    for (const auto& c : cases) {
        const ProgramResult r = Run(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << ::testing::PrintToString(c.args) << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos)
            << ::testing::PrintToString(c.args) << "\n"
            << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Ok({"dump", table, pw}), before);
    EXPECT_FALSE(FileExists(fresh + ".RTB"));
}

TEST_F(RtbtoolTest, DumpReportsADamagedTable) {
    const std::string table = MakeReplyTable();
    Ok({"add", table, "--password=240513", u8"内容=x"});
    ASSERT_EQ(truncate((table + ".RTL").c_str(), 10), 0);
    const ProgramResult r = Run({"dump", table, "--password=240513"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("error -35"), std::string::npos) << r.err;
}

TEST_F(RtbtoolTest, HelpExplainsTheCommands) {
    const ProgramResult r = Run({"--help"});
    EXPECT_EQ(r.exit_code, 0);
    for (const char* part : {"rtbtool create", "rtbtool dump", "rtbtool add", "longtext",
                             "true/false", "Exit status"}) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    }
}

TEST(ShippedTables, HoldTheDefaultsAndExampleReplies) {
    const std::string pw = "--password=240513";
    const ProgramResult settings = RunProgram(kRtbtool, {"dump", kDistDir + u8"/设置.RTB", pw});
    ASSERT_EQ(settings.exit_code, 0) << settings.err;
    EXPECT_EQ(settings.out,
              u8"{\"no\": 1, \"粘贴或发送\": false, \"托盘图标\": true, \"隐藏运行\": false, "
              u8"\"跟随微信\": true, \"开机启动\": false}\n");

    const ProgramResult content = RunProgram(kRtbtool, {"dump", kDistDir + u8"/内容.RTB", pw});
    ASSERT_EQ(content.exit_code, 0) << content.err;
    const std::vector<std::string> lines = Lines(content.out);
    EXPECT_GE(lines.size(), 2u);
    EXPECT_LE(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(u8"{\"no\": 1, \"快捷键\": \"F1\", \"内容\": \"", 0), 0u) << lines[0];
}

}  // namespace
}  // namespace tovanel::testing
