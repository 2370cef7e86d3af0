#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"

// The one shape of every record operation: prepare, bind in order, step,
// finalize. The caller holds the database lock. On a closed connection the
// prepare fails with SQLITE_MISUSE, and so do the binds and the step, so every
// helper then reports failure: false, 0, nothing found or an empty list.
namespace mousedeck::store {

// A write counts as done when the step returned SQLITE_OK, SQLITE_ROW or
// SQLITE_DONE; an update that matches no row is done too.
bool StepSucceeded(int result);

// Readers for statements that select one column.
inline int ReadFirstInt(const SQLiteStatement& row) {
    return row.ColumnInt(0);
}
inline std::string ReadFirstText(const SQLiteStatement& row) {
    return row.ColumnText(0);
}

template <typename... Args>
bool RunWrite(SQLiteDB& db, std::string_view sql, const Args&... args) {
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    statement.BindAll(args...);
    return StepSucceeded(statement.Step());
}

// The new row's key, or 0 when the insert failed (never a result code).
template <typename... Args>
int RunInsert(SQLiteDB& db, std::string_view sql, const Args&... args) {
    return RunWrite(db, sql, args...) ? static_cast<int>(db.LastInsertRowId()) : 0;
}

// The first row read by `read(statement)`, or nothing when no row came.
template <typename Reader, typename... Args>
auto QueryOne(SQLiteDB& db, std::string_view sql, Reader read, const Args&... args)
    -> std::optional<decltype(read(std::declval<const SQLiteStatement&>()))> {
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    statement.BindAll(args...);
    if (statement.Step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return read(statement);
}

// Every row, in the order the statement yields them.
template <typename Reader, typename... Args>
auto QueryList(SQLiteDB& db, std::string_view sql, Reader read, const Args&... args)
    -> std::vector<decltype(read(std::declval<const SQLiteStatement&>()))> {
    std::vector<decltype(read(std::declval<const SQLiteStatement&>()))> rows;
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    statement.BindAll(args...);
    while (statement.Step() == SQLITE_ROW) {
        rows.push_back(read(statement));
    }
    return rows;
}

}  // namespace mousedeck::store
