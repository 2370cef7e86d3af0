#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

struct sqlite3;
struct sqlite3_stmt;

namespace mousedeck::store {

// One prepared statement, finalized by its destructor. Every call on a
// statement that is not prepared returns SQLITE_MISUSE, 0 or an empty text.
class SQLiteStatement {
public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Finalizes the previous statement, then prepares `sql` on `connection`.
    // A null connection gives SQLITE_MISUSE. Normally reached through
    // SQLiteDB::Prepare.
    int Prepare(sqlite3* connection, std::string_view sql);
    bool IsPrepared() const { return statement_ != nullptr; }

    // Parameter indexes start at 1.
    int BindInt(int index, int value);
    // The text is copied by SQLite, so the argument need not outlive the call.
    int BindText(int index, std::string_view text);

    // Binds the arguments to parameters 1, 2, ... in order; ints and texts.
    // Returns SQLITE_OK or the first failing code.
    template <typename... Args>
    int BindAll(const Args&... args) {
        int index = 0;
        int result = 0;  // SQLITE_OK
        ((result = result != 0 ? result : BindOne(++index, args)), ...);
        (void)index;
        return result;
    }

    int Step();
    // True after a step that returned SQLITE_DONE, and while not prepared.
    bool done() const { return done_; }

    // Column indexes start at 0. A NULL column reads as 0 or empty text.
    int ColumnInt(int index) const;
    std::string ColumnText(int index) const;

private:
    int BindOne(int index, int value) { return BindInt(index, value); }
    int BindOne(int index, std::string_view text) { return BindText(index, text); }

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
    bool done_ = true;
};

}  // namespace mousedeck::store
