#include "store/database_file.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <ctime>
#include <fstream>
#include <string_view>
#include <system_error>

#include "store/schema.h"
#include "store/sqlite_statement.h"
#include "store/statement_runner.h"

namespace mousedeck::store {
namespace {

constexpr int kOpenExisting = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kOpenOrCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

// Files SQLite keeps beside a database; a moved database takes them along so
// that the pair can still be opened together, and so that a new database
// never replays a stale log that belonged to the old file.
constexpr std::array<const char*, 3> kCompanionSuffixes = {"-wal", "-journal", "-shm"};

enum class Health { kSound, kEmpty, kDamaged, kUnknown };

// Every SQLite 3 file starts with these 16 bytes.
constexpr std::string_view kMagic{"SQLite format 3\0", 16};

// Tells a foreign file from a database before SQLite opens it, since opening
// would already touch (and might delete) a -wal file lying beside it. Only a
// readable, non-empty file with other first bytes is foreign; SQLite itself
// treats an empty file as an empty database.
bool IsForeignFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string head(kMagic.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return !head.empty() && head != kMagic;
}

bool IsDamageCode(int result) {
    return result == SQLITE_NOTADB || result == SQLITE_CORRUPT;
}

Health CheckHealth(SQLiteDB& db) {
    SQLiteStatement check;
    int result = db.Prepare(check, "PRAGMA quick_check");
    if (result != SQLITE_OK) {
        return IsDamageCode(result) ? Health::kDamaged : Health::kUnknown;
    }
    // A sound file gives exactly one row, "ok"; a damaged one lists problems.
    result = check.Step();
    if (result != SQLITE_ROW) {
        return IsDamageCode(result) ? Health::kDamaged : Health::kUnknown;
    }
    if (check.ColumnText(0) != "ok") {
        return Health::kDamaged;
    }
    const auto tables = QueryOne(db, "SELECT count(*) FROM sqlite_master",
                                 [](const SQLiteStatement& row) { return row.ColumnInt(0); });
    if (!tables) {
        return Health::kUnknown;
    }
    return *tables == 0 ? Health::kEmpty : Health::kSound;
}

bool RunSchema(SQLiteDB& db) {
    // Every statement runs even after a failure, so the file gets every
    // table that can be made.
    bool all_ok = true;
    for (const std::string_view statement : SchemaStatements()) {
        all_ok = db.Exec(std::string(statement)) == SQLITE_OK && all_ok;
    }
    return all_ok;
}

std::string UtcStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 32> text{};
    const size_t length = std::strftime(text.data(), text.size(), "%Y%m%dT%H%M%SZ", &utc);
    return std::string(text.data(), length);
}

bool PathTaken(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// Moves `file` and its companions aside; the path it moved to, or empty when
// the main file could not be moved (then nothing else is touched either).
std::filesystem::path MoveAside(const std::filesystem::path& file) {
    const std::filesystem::path target = CorruptFileName(file);
    std::error_code error;
    std::filesystem::rename(file, target, error);
    if (error) {
        return {};
    }
    for (const char* suffix : kCompanionSuffixes) {
        std::filesystem::path companion = file;
        companion += suffix;
        if (PathTaken(companion)) {
            std::filesystem::path moved = target;
            moved += suffix;
            std::filesystem::rename(companion, moved, error);
        }
    }
    return target;
}

}  // namespace

std::filesystem::path CorruptFileName(const std::filesystem::path& file) {
    std::filesystem::path base = file;
    base += ".corrupt-";
    base += UtcStamp();
    std::filesystem::path candidate = base;
    for (int suffix = 2; PathTaken(candidate); ++suffix) {
        candidate = base;
        candidate += "-";
        candidate += std::to_string(suffix);
    }
    return candidate;
}

bool CreateDatabaseFile(SQLiteDB& db, const std::filesystem::path& file, JournalMode journal) {
    if (!db.Open(file.string(), kOpenOrCreate)) {
        return false;
    }
    // The journal first, so that the schema is already written through it.
    db.ApplyJournalMode(journal);
    return RunSchema(db);
}

DatabaseFileResult OpenDatabaseFile(SQLiteDB& db, const std::filesystem::path& file, JournalMode journal) {
    DatabaseFileResult result;
    if (!PathTaken(file)) {
        result.opened = CreateDatabaseFile(db, file, journal);
        return result;
    }
    Health health = Health::kDamaged;
    if (!IsForeignFile(file)) {
        if (!db.Open(file.string(), kOpenExisting)) {
            return result;
        }
        health = CheckHealth(db);
    }
    switch (health) {
        case Health::kSound:
            db.ApplyJournalMode(journal);
            result.opened = true;
            return result;
        case Health::kEmpty:
            result.opened = CreateDatabaseFile(db, file, journal);
            return result;
        case Health::kUnknown:
            // Busy or unreadable: keep the connection, later operations may
            // still succeed, but do not claim the file is usable.
            return result;
        case Health::kDamaged:
            break;
    }
    db.Close();
    const std::filesystem::path moved = MoveAside(file);
    if (moved.empty()) {
        return result;
    }
    result.moved_aside = moved.string();
    result.opened = CreateDatabaseFile(db, file, journal);
    return result;
}

}  // namespace mousedeck::store
