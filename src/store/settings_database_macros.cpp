// Macros and their recorded events of SettingsDatabase.
#include "store/settings_database.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_runner.h"

namespace mousedeck::store {
namespace {

constexpr std::string_view kAddMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";
constexpr std::string_view kAddRecord =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";
constexpr std::string_view kDeleteRecords = "DELETE FROM t_macrorecord WHERE macro_id = ?";

// t_macro_data columns: macro_id, name, play_type, play_times, delay_type, delay_time.
MacroEntry ReadMacro(const SQLiteStatement& row) {
    MacroEntry macro;
    macro.macro_id = row.ColumnInt(0);
    macro.name = row.ColumnText(1);
    macro.play_type = row.ColumnInt(2);
    macro.play_times = row.ColumnInt(3);
    macro.delay_type = row.ColumnInt(4);
    macro.delay_time = row.ColumnInt(5);
    return macro;
}

// t_macrorecord columns: record_id, macro_id, type, record_index, desc, value, delay_time.
MacroRecord ReadRecord(const SQLiteStatement& row) {
    MacroRecord record;
    record.record_id = row.ColumnInt(0);
    record.macro_id = row.ColumnInt(1);
    record.type = row.ColumnInt(2);
    record.record_index = row.ColumnInt(3);
    record.desc = row.ColumnText(4);
    record.value = row.ColumnInt(5);
    record.delay_time = row.ColumnInt(6);
    return record;
}

int InsertRecord(SQLiteDB& db, const MacroRecord& record) {
    return RunInsert(db, kAddRecord, record.macro_id, record.type, record.record_index, record.desc,
                     record.value, record.delay_time);
}

}  // namespace

int SettingsDatabase::AddMacro(std::string_view name) {
    std::lock_guard guard(lock_);
    return RunInsert(connection_, kAddMacro, name, 0, 1, 1, 0);
}

int SettingsDatabase::AddMacroEntry(const MacroEntry& macro) {
    std::lock_guard guard(lock_);
    return RunInsert(connection_, kAddMacro, macro.name, macro.play_type, macro.play_times, macro.delay_type,
                     macro.delay_time);
}

bool SettingsDatabase::RenameMacro(int macro_id, std::string_view name) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", name, macro_id);
}

bool SettingsDatabase::UpdateMacro(const MacroEntry& macro) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_,
                    "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,"
                    "delay_time = ? WHERE macro_id = ?",
                    macro.name, macro.play_type, macro.play_times, macro.delay_type, macro.delay_time,
                    macro.macro_id);
}

bool SettingsDatabase::DeleteMacro(int macro_id) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, "DELETE FROM t_macro_data WHERE macro_id = ?", macro_id) &&
           RunWrite(connection_, kDeleteRecords, macro_id);
}

std::optional<MacroEntry> SettingsDatabase::GetMacro(int macro_id) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT * FROM t_macro_data WHERE macro_id = ?", ReadMacro, macro_id);
}

std::vector<MacroEntry> SettingsDatabase::ListMacros() {
    std::lock_guard guard(lock_);
    return QueryList(connection_, "SELECT * FROM t_macro_data", ReadMacro);
}

int SettingsDatabase::AddMacroRecord(const MacroRecord& record) {
    std::lock_guard guard(lock_);
    return InsertRecord(connection_, record);
}

bool SettingsDatabase::AddMacroRecords(std::span<const MacroRecord> records) {
    std::lock_guard guard(lock_);
    SQLiteAutoTransaction transaction(connection_);
    bool all_written = true;
    for (const MacroRecord& record : records) {
        all_written = InsertRecord(connection_, record) != 0 && all_written;
    }
    return transaction.Commit() && all_written;
}

std::vector<MacroRecord> SettingsDatabase::ListMacroRecords(int macro_id) {
    std::lock_guard guard(lock_);
    return QueryList(connection_, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC",
                     ReadRecord, macro_id);
}

bool SettingsDatabase::DeleteMacroRecords(int macro_id) {
    std::lock_guard guard(lock_);
    return RunWrite(connection_, kDeleteRecords, macro_id);
}

}  // namespace mousedeck::store
