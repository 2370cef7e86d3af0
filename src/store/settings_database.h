#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/sqlite_db.h"

namespace mousedeck::store {

class StoreEvents;

// The open settings database of the current device and its one lock.
//
// Owned by the application controller and passed by reference; safe to use
// from the interface thread and the device worker at once. Opening, closing
// and every record operation take the same lock, so an operation never runs
// against a connection that is being switched, and each operation is atomic
// with respect to the others. Multi-statement operations are not transactions
// unless noted: a failure between statements keeps the first one's effect.
//
// Failures are silent and reported only by results: false, 0, nothing found
// or an empty list. With no database open every operation fails that way.
// Text is UTF-8 in and out; any Unicode round-trips unchanged.
class SettingsDatabase {
public:
    // `events` (may be null, not owned, must outlive this object) hears of
    // damaged files replaced on open. `journal` is JournalMode::kWalNormal
    // except in the durability benchmark.
    explicit SettingsDatabase(StoreEvents* events = nullptr, JournalMode journal = JournalMode::kWalNormal);
    ~SettingsDatabase();
    SettingsDatabase(const SettingsDatabase&) = delete;
    SettingsDatabase& operator=(const SettingsDatabase&) = delete;

    // "<data folder>/db/<device file name>_data1.db".
    static std::filesystem::path DatabaseFile(const std::filesystem::path& data_folder,
                                              std::string_view device_file_name);

    // Closes the open database, then opens (or creates) the file of the device
    // whose description file is named `device_file_name`. A damaged file is
    // moved aside and replaced (StoreEvents::OnDatabaseReplaced, called after
    // the lock is released). Returns whether the database is ready; the
    // result is also kept as opened(). Normally run by the device worker.
    bool OpenForDevice(const std::filesystem::path& data_folder, std::string_view device_file_name,
                       int device_type);
    // Closes the connection; operations fail quietly until the next open.
    void Close();

    bool opened() const;
    int device_type() const;
    // Full path of the last file opened, UTF-8; empty before the first open.
    std::string path() const;

    // Configuration keys (t_configdata), values as decimal text.
    // Updating a key that has no row changes nothing and still succeeds.
    bool SetConfigValue(int profile, std::string_view key, std::string_view value);
    // The first matching row's value; nothing when the key has no row.
    std::optional<std::string> GetConfigValue(int profile, std::string_view key);
    bool AddConfigValue(int profile, std::string_view key, std::string_view value);

    // Profiles (t_profile_data).
    // Inserts the profile (status 0, type 0, the entry's name and app) and then
    // `default_rows` as its configuration keys, all in one transaction: either
    // the profile and every row exist, or nothing was written. Returns the
    // new profile number, 0 on failure.
    int AddProfile(const ProfileEntry& entry, std::span<const ConfigRow> default_rows = {});
    bool RenameProfile(int profile, std::string_view name);
    std::optional<std::string> GetProfileName(int profile);
    // Every profile in ascending profile number.
    std::vector<ProfileEntry> ListProfiles();
    // Clears every status, then sets it on `profile`; the result is the second
    // statement's.
    bool SetActiveProfile(int profile);
    // The first profile with status 1, or 0 when none is active.
    int GetActiveProfile();

    // Button bindings (t_key_macro_data), layer 0 only for reads and updates.
    // Deletes the button's row, then inserts the binding unless both
    // macro_value and macro_value2 are 0 (a binding stored as no row reads back
    // as unassigned). The new key, or 0 when nothing was inserted.
    int SaveBinding(const ButtonBinding& binding);
    std::optional<ButtonBinding> GetBinding(int profile, int key_code);
    bool SetBindingDescription(int profile, int key_code, std::string_view text);
    std::vector<ButtonBinding> ListBindings(int profile);
    bool DeleteBindings(int profile);

    // Lighting (t_light_data).
    int CountLightRows(int profile);
    int AddLightRow(const LightSetting& light);
    // Updates every value column except name and status of the row of the
    // light's profile and `mode`.
    bool UpdateLightRow(const LightSetting& light, int mode);
    // Clears the status of the profile's rows, then sets the row of `mode`;
    // the result is the second statement's.
    bool SetActiveLight(int profile, int mode);
    // The active row's mode, or 0.
    int GetActiveLightMode(int profile);
    std::optional<LightSetting> GetLightRow(int profile, int mode);
    std::vector<LightSetting> ListLightRows(int profile);

    // Macros (t_macro_data, t_macrorecord).
    // A new macro played once (play_type 0, play_times 1, delay_type 1,
    // delay_time 0); the new macro id or 0.
    int AddMacro(std::string_view name);
    int AddMacroEntry(const MacroEntry& macro);
    bool RenameMacro(int macro_id, std::string_view name);
    bool UpdateMacro(const MacroEntry& macro);
    // Removes the header, and only when that worked the macro's records; true
    // when both statements succeeded (also for an id that does not exist).
    bool DeleteMacro(int macro_id);
    std::optional<MacroEntry> GetMacro(int macro_id);
    std::vector<MacroEntry> ListMacros();
    int AddMacroRecord(const MacroRecord& record);
    // Inserts the records in order inside one transaction. Rows that fail are
    // skipped and the rest are kept; true when every row was written.
    bool AddMacroRecords(std::span<const MacroRecord> records);
    // The macro's records in ascending record_index.
    std::vector<MacroRecord> ListMacroRecords(int macro_id);
    bool DeleteMacroRecords(int macro_id);

private:
    mutable std::mutex lock_;
    SQLiteDB connection_;
    StoreEvents* events_;
    JournalMode journal_;
    std::string path_;
    int device_type_ = 0;
    bool opened_ = false;
};

}  // namespace mousedeck::store
