#include "store/sqlite_db.h"

#include <sqlite3.h>

#include "store/sqlite_statement.h"

namespace mousedeck::store {

// No sqlite3_interrupt before closing: every statement is finalized by then,
// and a pending interrupt would make the close skip its WAL checkpoint,
// leaving the latest writes in the -wal file instead of the database file.
void SQLiteDB::Closer::operator()(sqlite3* connection) const {
    // sqlite3_close_v2 defers the close until stray statements are finalized
    // instead of failing and leaking the handle.
    sqlite3_close_v2(connection);
}

SQLiteDB::SQLiteDB() = default;
SQLiteDB::~SQLiteDB() = default;

bool SQLiteDB::Open(const std::string& path, int flags) {
    Close();
    sqlite3* raw = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    if (result != SQLITE_OK) {
        // On most failures SQLite still hands out a handle that must be closed.
        sqlite3_close(raw);
        return false;
    }
    connection_.reset(raw);
    return true;
}

bool SQLiteDB::Close() {
    if (connection_ && sqlite3_close(connection_.get()) == SQLITE_OK) {
        connection_.release();
    }
    return connection_ == nullptr;
}

int SQLiteDB::ApplyJournalMode(JournalMode mode) {
    if (!connection_) {
        return SQLITE_MISUSE;
    }
    if (mode == JournalMode::kUnsafeSyncOff) {
        return Exec("PRAGMA synchronous = OFF; ");
    }
    // journal_mode answers with the mode now in effect, which stays "delete"
    // (or whatever it was) when WAL is not possible.
    SQLiteStatement statement;
    int result = Prepare(statement, "PRAGMA journal_mode = WAL");
    if (result != SQLITE_OK) {
        return result;
    }
    result = statement.Step();
    if (result != SQLITE_ROW) {
        return result;
    }
    const bool wal = statement.ColumnText(0) == "wal";
    return Exec(wal ? "PRAGMA synchronous = NORMAL" : "PRAGMA synchronous = FULL");
}

int SQLiteDB::Prepare(SQLiteStatement& statement, std::string_view sql) {
    return statement.Prepare(connection_.get(), sql);
}

int SQLiteDB::Exec(const std::string& sql) {
    if (!connection_) {
        return SQLITE_MISUSE;
    }
    return sqlite3_exec(connection_.get(), sql.c_str(), nullptr, nullptr, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
    return connection_ ? sqlite3_last_insert_rowid(connection_.get()) : -1;
}

int SQLiteDB::ErrorCode() const {
    return connection_ ? sqlite3_errcode(connection_.get()) & 0xff : SQLITE_MISUSE;
}

void SQLiteDB::Interrupt() {
    if (connection_) {
        sqlite3_interrupt(connection_.get());
    }
}

}  // namespace mousedeck::store
