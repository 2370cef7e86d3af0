#pragma once

#include <filesystem>
#include <string>

#include "store/sqlite_db.h"

namespace mousedeck::store {

// What opening a settings file did.
struct DatabaseFileResult {
    // The connection is open on a database with the schema in place.
    bool opened = false;
    // Set when a damaged file was moved aside to this path (UTF-8) and a new
    // database created in its place.
    std::string moved_aside;
};

// Opens the settings database at `file` on `db` (which must be closed),
// creating it with the schema when it does not exist.
//
// An existing file is checked with "PRAGMA quick_check". A file that is not a
// database or fails the check would make every later write fail silently, so
// it is renamed to "<file>.corrupt-<UTC time>" (with its -wal and -journal
// companions) and a new database is created. Other failures (a folder in the
// way, a locked or unreadable file) leave the file alone. A valid database
// without any table, as an interrupted creation leaves behind, receives the
// schema. The journal follows `journal`.
DatabaseFileResult OpenDatabaseFile(SQLiteDB& db, const std::filesystem::path& file, JournalMode journal);

// Creates a new database at `file` and runs the schema; true only when every
// schema statement succeeded. The connection stays open even then.
bool CreateDatabaseFile(SQLiteDB& db, const std::filesystem::path& file, JournalMode journal);

// "<file>.corrupt-YYYYMMDDTHHMMSSZ" for the current UTC time, with "-2", "-3",
// ... appended while that name is taken.
std::filesystem::path CorruptFileName(const std::filesystem::path& file);

}  // namespace mousedeck::store
