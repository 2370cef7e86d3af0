#include "store/sqlite_statement.h"

#include <sqlite3.h>

namespace mousedeck::store {

static_assert(SQLITE_OK == 0, "BindAll treats 0 as success");

void SQLiteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SQLiteStatement::~SQLiteStatement() = default;

int SQLiteStatement::Prepare(sqlite3* connection, std::string_view sql) {
    statement_.reset();
    done_ = true;
    if (connection == nullptr) {
        return SQLITE_MISUSE;
    }
    sqlite3_stmt* raw = nullptr;
    const int result =
        sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    statement_.reset(raw);
    if (result == SQLITE_OK && raw != nullptr) {
        done_ = false;
    }
    // Text holding only a comment or blanks prepares to no statement at all.
    return result == SQLITE_OK && raw == nullptr ? SQLITE_MISUSE : result;
}

int SQLiteStatement::BindInt(int index, int value) {
    return statement_ ? sqlite3_bind_int(statement_.get(), index, value) : SQLITE_MISUSE;
}

int SQLiteStatement::BindText(int index, std::string_view text) {
    if (!statement_) {
        return SQLITE_MISUSE;
    }
    // A null pointer would bind SQL NULL; an empty text must stay a text.
    return sqlite3_bind_text(statement_.get(), index, text.data() != nullptr ? text.data() : "",
                             static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int SQLiteStatement::Step() {
    if (!statement_) {
        return SQLITE_MISUSE;
    }
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_DONE) {
        done_ = true;
    }
    return result;
}

int SQLiteStatement::ColumnInt(int index) const {
    return statement_ ? sqlite3_column_int(statement_.get(), index) : 0;
}

std::string SQLiteStatement::ColumnText(int index) const {
    if (!statement_) {
        return {};
    }
    const auto* text = sqlite3_column_text(statement_.get(), index);
    if (text == nullptr) {
        return {};
    }
    // Length from SQLite, not from a terminator, so every stored byte returns.
    const int bytes = sqlite3_column_bytes(statement_.get(), index);
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
}

}  // namespace mousedeck::store
