#include "store/sqlite_auto_transaction.h"

#include <sqlite3.h>

#include "store/sqlite_db.h"

namespace mousedeck::store {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB& database) : database_(database), open_(true) {
    if (database_.IsOpen()) {
        database_.Exec("BEGIN");
    }
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (open_) {
        Finish("END");
    }
}

bool SQLiteAutoTransaction::Begin() {
    if (open_) {
        return false;
    }
    open_ = true;
    return database_.IsOpen() && database_.Exec("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Commit() {
    return Finish("END");
}

bool SQLiteAutoTransaction::Rollback() {
    return Finish("ROLLBACK");
}

bool SQLiteAutoTransaction::Finish(const char* sql) {
    open_ = false;
    return database_.IsOpen() && database_.Exec(sql) == SQLITE_OK;
}

}  // namespace mousedeck::store
