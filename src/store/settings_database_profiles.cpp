// Configuration keys and profiles of SettingsDatabase.
#include <sqlite3.h>

#include "store/settings_database.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_runner.h"

namespace mousedeck::store {
namespace {

constexpr std::string_view kAddConfigValue =
    "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);";

// t_profile_data columns: profile, name, status, app, type.
ProfileEntry ReadProfile(const SQLiteStatement& row) {
    ProfileEntry entry;
    entry.profile = row.ColumnInt(0);
    entry.name = row.ColumnText(1);
    entry.status = row.ColumnInt(2);
    entry.app = row.ColumnText(3);
    entry.type = row.ColumnInt(4);
    return entry;
}

}  // namespace

bool SettingsDatabase::SetConfigValue(int profile, std::string_view key, std::string_view value) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?", value,
                    profile, key);
}

std::optional<std::string> SettingsDatabase::GetConfigValue(int profile, std::string_view key) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT value FROM t_configdata WHERE profile = ? and key = ?",
                    ReadFirstText, profile, key);
}

bool SettingsDatabase::AddConfigValue(int profile, std::string_view key, std::string_view value) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, kAddConfigValue, profile, key, value);
}

int SettingsDatabase::AddProfile(const ProfileEntry& entry, std::span<const ConfigRow> default_rows) {
    std::lock_guard guard(lock_);
    // A profile whose key rows are missing can never get them (updates of a
    // missing key change nothing), so profile and rows land together or not.
    SQLiteAutoTransaction transaction(connection_);
    const int profile =
        RunInsert(connection_, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                  entry.name, 0, entry.app, 0);
    bool ok = profile != 0;
    for (size_t i = 0; ok && i < default_rows.size(); ++i) {
        ok = RunWrite(connection_, kAddConfigValue, profile, default_rows[i].key, default_rows[i].value);
    }
    if (!ok) {
        transaction.Rollback();
        return 0;
    }
    if (!transaction.Commit()) {
        // A failed END can leave the transaction active; end it for good.
        connection_.Exec("ROLLBACK");
        return 0;
    }
    return profile;
}

bool SettingsDatabase::RenameProfile(int profile, std::string_view name) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, "UPDATE t_profile_data SET name = ? WHERE profile = ?", name, profile);
}

std::optional<std::string> SettingsDatabase::GetProfileName(int profile) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT name FROM t_profile_data WHERE profile = ?", ReadFirstText, profile);
}

std::vector<ProfileEntry> SettingsDatabase::ListProfiles() {
    std::lock_guard guard(lock_);
    return QueryList(connection_, "SELECT * FROM t_profile_data", ReadProfile);
}

bool SettingsDatabase::SetActiveProfile(int profile) {
    std::lock_guard guard(lock_);
    RunWrite(connection_, "UPDATE t_profile_data SET status = ?", 0);
    return RunWrite(connection_, "UPDATE t_profile_data SET status = ? WHERE profile = ?", 1, profile);
}

int SettingsDatabase::GetActiveProfile() {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT profile FROM t_profile_data WHERE status = ?", ReadFirstInt, 1)
        .value_or(0);
}

}  // namespace mousedeck::store
