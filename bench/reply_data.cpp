#include "reply_data.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "store/record_store.h"

namespace tovanel::bench {
namespace {

namespace fs = std::filesystem;
namespace st = tovanel::store;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "bench setup failed: %s\n", what);
        std::exit(1);
    }
}

void MakeTable(const std::string& base, const std::vector<Reply>& replies) {
    auto files = st::MakeOsFileSystem();
    const std::vector<st::FieldInfo> fields = {{"快捷键", st::kFixedText, 0, 8},
                                               {"内容", st::kLongText, 0, 0}};
    Check(st::CreateTable(*files, base + ".RTB", kPassword, fields) == 0, "create table");
    st::RecordStore store(*files);
    Check(store.OpenTable(base, kPassword), "open table");
    for (const Reply& reply : replies) {
        Check(store.AddRecord({st::Value(reply.hotkey), st::Value(reply.content)}), "add");
    }
    store.CloseTable();
}

void MakeDatabase(const std::string& path, const std::vector<Reply>& replies) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db) == SQLITE_OK, "open database");
    Check(sqlite3_exec(db,
                       "CREATE TABLE replies(id INTEGER PRIMARY KEY, hotkey TEXT, content TEXT);"
                       "BEGIN;",
                       nullptr, nullptr, nullptr) == SQLITE_OK,
          "schema");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO replies(hotkey, content) VALUES(?, ?)", -1, &insert,
                       nullptr);
    for (const Reply& reply : replies) {
        sqlite3_bind_text(insert, 1, reply.hotkey.data(), int(reply.hotkey.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, reply.content.data(), int(reply.content.size()),
                          SQLITE_STATIC);
        Check(sqlite3_step(insert) == SQLITE_DONE, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK, "commit");
    sqlite3_close(db);
}

void CopyFile(const std::string& from, const std::string& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tovanel-bench-XXXXXX").string();
        Check(mkdtemp(&pattern[0]) != nullptr, "scratch folder");
        path = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string path;
};

}  // namespace

const char kPassword[] = "240513";

const std::string& BenchDir() {
    static Scratch scratch;
    return scratch.path;
}

std::string PristineTable(int count) {
    static std::map<int, std::string> made;
    auto& base = made[count];
    if (base.empty()) {
        base = BenchDir() + "/replies_" + std::to_string(count);
        MakeTable(base, MakeReplies(count));
    }
    return base;
}

std::string PristineDatabase(int count) {
    static std::map<int, std::string> made;
    auto& path = made[count];
    if (path.empty()) {
        path = BenchDir() + "/replies_" + std::to_string(count) + ".db";
        MakeDatabase(path, MakeReplies(count));
    }
    return path;
}

std::string FreshTableCopy(int count, const std::string& name) {
    const std::string from = PristineTable(count);
    const std::string to = BenchDir() + "/" + name;
    CopyFile(from + ".RTB", to + ".RTB");
    CopyFile(from + ".RTL", to + ".RTL");
    return to;
}

std::string FreshDatabaseCopy(int count, const std::string& name) {
    const std::string to = BenchDir() + "/" + name + ".db";
    CopyFile(PristineDatabase(count), to);
    return to;
}

}  // namespace tovanel::bench
