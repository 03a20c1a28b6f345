// SQLite with synchronous=OFF: like the store, it leaves flushing to the
// operating system, so the comparison is of work, not of disk syncs.
#include <sqlite3.h>

#include <cstdlib>

#include "reply_work.h"

namespace tovanel::bench::sqlite_work {
namespace {

// One open connection.
class Database {
  public:
    explicit Database(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            std::abort();
        }
        Exec("PRAGMA synchronous=OFF");
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    }
    sqlite3* get() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// One prepared statement.
class Statement {
  public:
    Statement(const Database& db, const char* sql) {
        if (sqlite3_prepare_v2(db.get(), sql, -1, &stmt_, nullptr) != SQLITE_OK) std::abort();
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, const std::string& text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
    int Step() { return sqlite3_step(stmt_); }
    void Done() {
        if (Step() != SQLITE_DONE) std::abort();
        sqlite3_reset(stmt_);
    }
    sqlite3_stmt* get() const { return stmt_; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

size_t Load(const std::string& path) {
    Database db(path);
    Statement count(db, "SELECT count(*) FROM replies");
    if (count.Step() != SQLITE_ROW) std::abort();
    size_t bytes = 0;
    Statement rows(db, "SELECT hotkey, content FROM replies ORDER BY id");
    while (rows.Step() == SQLITE_ROW) {
        for (int column = 0; column < 2; ++column) {
            const std::string text(
                reinterpret_cast<const char*>(sqlite3_column_text(rows.get(), column)),
                static_cast<size_t>(sqlite3_column_bytes(rows.get(), column)));
            bytes += text.size();
        }
    }
    return bytes;
}

void Add(const std::string& path, const Reply& reply) {
    Database db(path);
    Statement insert(db, "INSERT INTO replies(hotkey, content) VALUES('', ?)");
    insert.Bind(1, reply.content);
    insert.Done();
}

void DeleteWithPurge(const std::string& path, const std::string& content) {
    Database db(path);
    Statement remove(db,
                     "DELETE FROM replies WHERE id = "
                     "(SELECT id FROM replies WHERE content = ? ORDER BY id LIMIT 1)");
    remove.Bind(1, content);
    remove.Done();
}

void ClearAndAdd(const std::string& path, const std::vector<Reply>& replies) {
    Database db(path);
    db.Exec("BEGIN");
    db.Exec("DELETE FROM replies");
    Statement insert(db, "INSERT INTO replies(hotkey, content) VALUES(?, ?)");
    for (const Reply& reply : replies) {
        insert.Bind(1, reply.hotkey);
        insert.Bind(2, reply.content);
        insert.Done();
    }
    db.Exec("COMMIT");
}

}  // namespace tovanel::bench::sqlite_work
