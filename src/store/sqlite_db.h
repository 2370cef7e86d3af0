#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace mousedeck::store {

class SQLiteStatement;

// How a connection protects its writes against a crash or power cut.
enum class JournalMode {
    // Write-ahead log with synchronous = NORMAL: a commit is one append to the
    // log and the file survives power loss. Used by the application.
    kWalNormal,
    // Rollback journal with synchronous = OFF: nothing is ever flushed, so a
    // power cut can leave a corrupt file. Kept only to measure the difference.
    kUnsafeSyncOff,
};

// One SQLite connection. Every call reports the SQLite result code or a plain
// value; nothing throws. Closed connections answer SQLITE_MISUSE (or -1, false).
class SQLiteDB {
public:
    SQLiteDB();
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes any open connection first, then opens `path` (UTF-8) with the
    // sqlite3_open_v2 flags. Does not touch the journal; see ApplyJournalMode.
    bool Open(const std::string& path, int flags);
    // True when no connection is left open.
    bool Close();
    bool IsOpen() const { return connection_ != nullptr; }

    // Sets the journal and synchronous pragmas for `mode`. Returns SQLITE_OK,
    // or the code of the first pragma that failed. When WAL cannot be used
    // (a file system without shared memory) it falls back to the rollback
    // journal with synchronous = FULL, which is just as safe, and still
    // returns SQLITE_OK.
    int ApplyJournalMode(JournalMode mode);

    // Prepares `sql` into `statement`, finalizing whatever it held before.
    int Prepare(SQLiteStatement& statement, std::string_view sql);
    // Runs one or more statements, discarding rows.
    int Exec(const std::string& sql);
    // Rowid of the latest successful insert on this connection, -1 when closed.
    int64_t LastInsertRowId() const;
    // Primary result code of the latest failed call, SQLITE_MISUSE when closed.
    int ErrorCode() const;
    // Asks a running statement on this connection to stop at its next step.
    void Interrupt();

private:
    struct Closer {
        void operator()(sqlite3* connection) const;
    };
    std::unique_ptr<sqlite3, Closer> connection_;
};

}  // namespace mousedeck::store
