#pragma once

namespace mousedeck::store {

class SQLiteDB;

// A transaction that begins with the object and ends with it. Ending means
// "END" (commit), as the bulk inserts want every row they managed to write;
// call Rollback for all-or-nothing work.
class SQLiteAutoTransaction {
public:
    // Executes "BEGIN" when the connection is open; the transaction counts as
    // open either way, so a later Begin reports false.
    explicit SQLiteAutoTransaction(SQLiteDB& database);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    // False when already open or the connection is closed; otherwise whether
    // "BEGIN" succeeded.
    bool Begin();
    // Executes "END"; false when the connection is closed or END failed.
    bool Commit();
    // Executes "ROLLBACK"; false when the connection is closed or it failed.
    bool Rollback();
    bool is_open() const { return open_; }

private:
    bool Finish(const char* sql);

    SQLiteDB& database_;
    bool open_ = false;
};

}  // namespace mousedeck::store
