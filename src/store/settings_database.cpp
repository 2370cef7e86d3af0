#include "store/settings_database.h"

#include <system_error>

#include "store/database_file.h"
#include "store/store_events.h"

namespace mousedeck::store {

SettingsDatabase::SettingsDatabase(StoreEvents* events, JournalMode journal)
    : events_(events), journal_(journal) {}

SettingsDatabase::~SettingsDatabase() = default;

std::filesystem::path SettingsDatabase::DatabaseFile(const std::filesystem::path& data_folder,
                                                     std::string_view device_file_name) {
    return data_folder / "db" / (std::string(device_file_name) + "_data1.db");
}

bool SettingsDatabase::OpenForDevice(const std::filesystem::path& data_folder,
                                     std::string_view device_file_name, int device_type) {
    const std::filesystem::path file = DatabaseFile(data_folder, device_file_name);
    DatabaseFileResult result;
    {
        std::lock_guard guard(lock_);
        // Always close first: a connection left open by a failed creation
        // must not stand in for another device's file.
        connection_.Close();
        opened_ = false;
        // The shell creates "db" at start-up; making sure here costs nothing
        // and keeps a removed folder from turning into silent failures.
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        result = OpenDatabaseFile(connection_, file, journal_);
        path_ = file.string();
        device_type_ = device_type;
        opened_ = result.opened;
    }
    if (!result.moved_aside.empty() && events_ != nullptr) {
        events_->OnDatabaseReplaced(file.string(), result.moved_aside);
    }
    return result.opened;
}

void SettingsDatabase::Close() {
    std::lock_guard guard(lock_);
    connection_.Close();
    opened_ = false;
}

bool SettingsDatabase::opened() const {
    std::lock_guard guard(lock_);
    return opened_;
}

int SettingsDatabase::device_type() const {
    std::lock_guard guard(lock_);
    return device_type_;
}

std::string SettingsDatabase::path() const {
    std::lock_guard guard(lock_);
    return path_;
}

}  // namespace mousedeck::store
