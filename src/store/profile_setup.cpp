#include "store/profile_setup.h"

#include <vector>

#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::store {
namespace {

std::string ProfileWord(const devices::TextLookup& text) {
    return text ? text(kProfileWordText) : std::string();
}

// Profile numbers are assigned by the database. A new table gives 1 to 4, but
// the numbers actually returned are used, so defaults and the active flag
// never land on rows that do not exist.
std::vector<int> CreateProfiles(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                                const devices::TextLookup& text) {
    const std::string word = ProfileWord(text);
    std::vector<int> created;
    for (int i = 1; i <= kProfileCount; ++i) {
        ProfileEntry entry;
        entry.name = DefaultProfileName(word, i);
        const int profile = db.AddProfile(entry, DefaultConfigRows());
        if (profile == 0) {
            continue;
        }
        created.push_back(profile);
        if (defaults) {
            ApplyDeviceDefaults(db, profile, *defaults, DefaultsScope::kAll);
        }
    }
    return created;
}

int LowestProfile(SettingsDatabase& db) {
    for (const ProfileEntry& entry : db.ListProfiles()) {
        if (entry.profile >= 1) {
            return entry.profile;
        }
    }
    return 0;
}

// Ensure profiles without showing the name; returns the current profile.
int EnsureProfilesExist(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                        const devices::TextLookup& text) {
    if (db.ListProfiles().empty()) {
        const std::vector<int> created = CreateProfiles(db, defaults, text);
        if (!created.empty()) {
            db.SetActiveProfile(created.front());
        }
    }
    int current = db.GetActiveProfile();
    if (current < 1) {
        db.SetActiveProfile(1);
        current = db.GetActiveProfile();
    }
    if (current < 1) {
        // No profile 1 (rows renumbered or removed outside this program): the
        // lowest existing profile rather than none, which would leave every
        // per-profile read and write finding nothing.
        db.SetActiveProfile(LowestProfile(db));
        current = db.GetActiveProfile();
    }
    return current;
}

}  // namespace

std::string DefaultProfileName(std::string_view profile_word, int number) {
    return std::string(profile_word) + " " + std::to_string(number);
}

std::string ProfileDisplayName(std::string_view stored_name, std::string_view profile_word) {
    for (std::string_view prefix : {std::string_view("Profile"), std::string_view("配置")}) {
        if (stored_name.starts_with(prefix)) {
            return std::string(profile_word) + " " + std::string(stored_name.substr(prefix.size()));
        }
    }
    return std::string(stored_name);
}

int EnsureProfiles(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                   const devices::TextLookup& text, ProfileView& view) {
    const int current = EnsureProfilesExist(db, defaults, text);
    ShowProfileName(db, current, text, view);
    return current;
}

int ResetProfilesToDefaults(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                            const devices::TextLookup& text, ProfileView& view) {
    EnsureProfilesExist(db, defaults, text);
    if (defaults) {
        for (const ProfileEntry& entry : db.ListProfiles()) {
            ApplyDeviceDefaults(db, entry.profile, *defaults, DefaultsScope::kAll);
        }
    }
    const int first = LowestProfile(db);
    db.SetActiveProfile(first);
    const int current = db.GetActiveProfile();
    ShowProfileName(db, current, text, view);
    return current;
}

void ShowProfileName(SettingsDatabase& db, int profile, const devices::TextLookup& text, ProfileView& view) {
    const std::string stored = db.GetProfileName(profile).value_or(std::string());
    view.ShowProfileName(ProfileDisplayName(stored, ProfileWord(text)));
}

}  // namespace mousedeck::store
