#include "raw_sqlite.h"

#include <sqlite3.h>

namespace mousedeck::store::test {

Rows RawQuery(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    Rows rows;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        rows.push_back({"<error>", sqlite3_errmsg(db)});
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        rows.push_back({"<error>", sqlite3_errmsg(db)});
        sqlite3_close(db);
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const auto* text = sqlite3_column_text(statement, column);
            row.emplace_back(text == nullptr
                                 ? std::string("<null>")
                                 : std::string(reinterpret_cast<const char*>(text),
                                               static_cast<size_t>(sqlite3_column_bytes(statement, column))));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

bool RawExec(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

std::string RawValue(const std::filesystem::path& file, const std::string& sql) {
    const Rows rows = RawQuery(file, sql);
    if (rows.size() != 1 || rows[0].size() != 1) {
        return "<none>";
    }
    return rows[0][0];
}

}  // namespace mousedeck::store::test
