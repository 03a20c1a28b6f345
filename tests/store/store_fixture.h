// Shared set-up for the store tests: a private folder, table makers, and a
// file port that fails on request.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "store/error_codes.h"
#include "store/file_port.h"
#include "store/record_store.h"

namespace tovanel::store::testing {

inline const std::string kPassword = "240513";

inline std::vector<FieldInfo> SettingsFields() {
    return {{"粘贴或发送", kLogical, 0, 0},
            {"托盘图标", kLogical, 0, 0},
            {"隐藏运行", kLogical, 0, 0},
            {"跟随微信", kLogical, 0, 0},
            {"开机启动", kLogical, 0, 0}};
}

inline std::vector<FieldInfo> ContentFields(int32_t hotkey_width = 8, int32_t text_type = kLongText,
                                            int32_t text_width = 0) {
    return {{"快捷键", kFixedText, 0, hotkey_width}, {"内容", text_type, 0, text_width}};
}

inline Values Texts(const std::string& hotkey, const std::string& text) {
    return {Value(hotkey), Value(text)};
}

// Wraps another port; a hook may replace any call's result.
class FaultyFileSystem : public FileSystem {
  public:
    enum class Op { kRead, kWrite, kSize, kSetSize, kLock, kUnlock };
    // Returns 0 to let the call through; a code to fail it; for reads,
    // kShortRead delivers only half of the bytes asked for.
    static constexpr int kShortRead = 1;
    using Hook = std::function<int(Op op, const std::string& path, int64_t offset, int64_t size)>;

    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}
    Hook hook;
    uint32_t clock_ms = 0;  // a virtual clock: sleeping advances it
    std::vector<uint32_t> sleeps;

    int Open(const std::string& path, std::unique_ptr<File>* file) override;
    int Create(const std::string& path, std::unique_ptr<File>* file) override {
        return inner_.Create(path, file);
    }
    int FullPath(const std::string& name, std::string* full) override {
        return inner_.FullPath(name, full);
    }
    bool IsLeadByte(unsigned char c) const override { return lead_bytes && c >= 0x81 && c <= 0xFE; }
    bool IsSeparator(char c) const override { return c == '/' || (backslash && c == '\\'); }
    uint32_t TickCount() override { return clock_ms; }
    void Sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        clock_ms += ms;
    }
    bool lead_bytes = false;
    bool backslash = false;

  private:
    FileSystem& inner_;
};

class FaultyFile : public File {
  public:
    FaultyFile(std::unique_ptr<File> inner, FaultyFileSystem& fs, std::string path)
        : inner_(std::move(inner)), fs_(fs), path_(std::move(path)) {}
    int Read(int64_t offset, void* data, int32_t size, int32_t* done) override {
        if (int code = Check(FaultyFileSystem::Op::kRead, offset, size); code != 0) {
            *done = 0;
            if (code != FaultyFileSystem::kShortRead) return code;
            return inner_->Read(offset, data, size / 2, done);
        }
        return inner_->Read(offset, data, size, done);
    }
    int Write(int64_t offset, const void* data, int32_t size) override {
        if (int code = Check(FaultyFileSystem::Op::kWrite, offset, size)) return code;
        return inner_->Write(offset, data, size);
    }
    int GetSize(int64_t* size) override {
        if (int code = Check(FaultyFileSystem::Op::kSize, 0, 0)) return code;
        return inner_->GetSize(size);
    }
    int SetSize(int64_t size) override {
        if (int code = Check(FaultyFileSystem::Op::kSetSize, size, 0)) return code;
        return inner_->SetSize(size);
    }
    int Lock(int64_t offset, int64_t length) override {
        if (int code = Check(FaultyFileSystem::Op::kLock, offset, length)) return code;
        return inner_->Lock(offset, length);
    }
    int Unlock(int64_t offset, int64_t length) override {
        if (int code = Check(FaultyFileSystem::Op::kUnlock, offset, length)) return code;
        return inner_->Unlock(offset, length);
    }

  private:
    int Check(FaultyFileSystem::Op op, int64_t offset, int64_t size) {
        return fs_.hook ? fs_.hook(op, path_, offset, size) : 0;
    }
    std::unique_ptr<File> inner_;
    FaultyFileSystem& fs_;
    std::string path_;
};

inline int FaultyFileSystem::Open(const std::string& path, std::unique_ptr<File>* file) {
    std::unique_ptr<File> inner;
    if (int code = inner_.Open(path, &inner); code != 0) return code;
    *file = std::make_unique<FaultyFile>(std::move(inner), *this, path);
    return 0;
}

// Each test runs in a fresh folder that is also the current directory, since
// table names resolve against it.
class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tovanel-store-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        old_cwd_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(old_cwd_);
        std::filesystem::remove_all(dir_);
    }

    void MakeTable(const std::string& file, const std::vector<FieldInfo>& fields,
                   const std::string& password = kPassword) {
        ASSERT_EQ(CreateTable(*os_, file, password, fields), 0);
    }

    // A content table "内容" with the given texts, closed again.
    void MakeContent(const std::vector<std::string>& texts, int32_t text_type = kLongText,
                     int32_t width = 0) {
        MakeTable("内容.RTB", ContentFields(8, text_type, width));
        RecordStore store(*os_);
        ASSERT_TRUE(store.OpenTable("内容", kPassword));
        for (const std::string& t : texts) ASSERT_TRUE(store.AddRecord(Texts("", t)));
        store.CloseTable();
    }

    std::string Text(RecordStore& store, const std::string& field) {
        return std::get<std::string>(store.ReadField(field));
    }

    std::vector<std::string> AllTexts(RecordStore& store, const std::string& field = "内容") {
        std::vector<std::string> out;
        store.GoToFirstRecord();
        const int32_t n = store.GetRecordCount();
        for (int32_t i = 0; i < n; ++i) {
            out.push_back(Text(store, field));
            store.SkipRecords();
        }
        return out;
    }

    std::vector<uint8_t> ReadBytes(const std::string& file) {
        std::ifstream in(dir_ + "/" + file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void WriteBytes(const std::string& file, const std::vector<uint8_t>& bytes) {
        std::ofstream out(dir_ + "/" + file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    int64_t FileSize(const std::string& file) {
        return static_cast<int64_t>(std::filesystem::file_size(dir_ + "/" + file));
    }

    std::unique_ptr<FileSystem> os_ = MakeOsFileSystem();
    std::string dir_;
    std::filesystem::path old_cwd_;
};

}  // namespace tovanel::store::testing
