#include "pages/profiles/profile_import.h"

#include <filesystem>
#include <vector>

#include "pages/profiles/profile_file_reader.h"
#include "pages/profiles/profile_snapshot.h"
#include "xml/utf8.h"

namespace mousedeck::pages::profiles {
namespace {

constexpr std::string_view kExtension = ".xml";

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
        if (c != suffix[i]) {
            return false;
        }
    }
    return true;
}

// Stores the bindings; false at the first one the database refuses.
bool StoreBindings(store::SettingsDatabase& db, int profile,
                   const std::vector<store::ButtonBinding>& bindings) {
    for (store::ButtonBinding binding : bindings) {
        binding.profile = profile;
        // A binding with no value is stored as no row, so 0 is no failure.
        const bool stored_as_nothing = binding.macro_value == 0 && binding.macro_value2 == 0;
        if (db.SaveBinding(binding) == 0 && !stored_as_nothing) {
            return false;
        }
    }
    return true;
}

bool StoreLights(store::SettingsDatabase& db, int profile, const ProfileFileContents& contents) {
    if (contents.active_light && db.GetLightRow(profile, *contents.active_light) &&
        !db.SetActiveLight(profile, *contents.active_light)) {
        return false;
    }
    for (const store::LightSetting& item : contents.lights) {
        std::optional<store::LightSetting> row = db.GetLightRow(profile, item.mode);
        if (!row) {
            continue;
        }
        row->brightness = item.brightness;
        row->speed = item.speed;
        row->direction = item.direction;
        row->colorful = item.colorful;
        row->colorindex = item.colorindex;
        row->color_values = item.color_values;
        if (!db.UpdateLightRow(*row, item.mode)) {
            return false;
        }
    }
    return true;
}

// Every write of the import, stopping at the first failure.
bool Store(store::SettingsDatabase& db, int profile, const std::string& name,
           const ProfileFileContents& contents) {
    if (!name.empty() && !db.RenameProfile(profile, name)) {
        return false;
    }
    if (!db.DeleteBindings(profile) || !StoreBindings(db, profile, contents.bindings) ||
        !StoreLights(db, profile, contents)) {
        return false;
    }
    for (const store::ConfigRow& row : contents.config) {
        if (!db.SetConfigValue(profile, row.key, row.value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ImportedProfileName(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    if (EndsWithIgnoringAsciiCase(name, kExtension)) {
        name.resize(name.size() - kExtension.size());
    }
    return xml::RepairUtf8(name);
}

ProfileFileStatus ImportProfileFile(const ProfileTarget& target, const std::string& path,
                                    const devices::TextLookup& text, store::ProfileView& view,
                                    const std::function<void()>& write_all) {
    const ProfileFileRead read = ReadProfileFile(path, target.lighting_enabled);
    if (read.status != ProfileFileStatus::kOk) {
        return read.status;
    }
    store::SettingsDatabase& db = target.db;
    if (!db.GetProfileName(target.profile)) {
        return ProfileFileStatus::kNoSuchProfile;
    }
    std::vector<std::string> keys;
    for (const store::ConfigRow& row : read.contents.config) {
        keys.push_back(row.key);
    }
    const ProfileSnapshot before = ProfileSnapshot::Capture(db, target.profile, keys);
    if (!Store(db, target.profile, ImportedProfileName(path), read.contents)) {
        before.Restore(db);
        return ProfileFileStatus::kDatabaseFailed;
    }
    store::ShowProfileName(db, target.profile, text, view);
    if (write_all) {
        write_all();
    }
    return ProfileFileStatus::kOk;
}

}  // namespace mousedeck::pages::profiles
