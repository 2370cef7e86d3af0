#include "pages/profiles/profile_snapshot.h"

#include <algorithm>

namespace mousedeck::pages::profiles {
namespace {

// Sets the profile's active effect as the captured rows had it. With none
// active, every status is cleared by activating a mode no row has.
bool RestoreActiveLight(store::SettingsDatabase& db, int profile,
                        const std::vector<store::LightSetting>& lights) {
    if (lights.empty()) {
        return true;
    }
    const auto active = std::find_if(lights.begin(), lights.end(),
                                     [](const store::LightSetting& light) { return light.status == 1; });
    if (active != lights.end()) {
        return db.SetActiveLight(profile, active->mode);
    }
    int unused = -1;
    while (std::any_of(lights.begin(), lights.end(),
                       [unused](const store::LightSetting& light) { return light.mode == unused; })) {
        --unused;
    }
    db.SetActiveLight(profile, unused);
    return db.GetActiveLightMode(profile) == 0;
}

}  // namespace

ProfileSnapshot ProfileSnapshot::Capture(store::SettingsDatabase& db, int profile,
                                         std::span<const std::string> config_keys) {
    ProfileSnapshot snapshot;
    snapshot.profile_ = profile;
    snapshot.name_ = db.GetProfileName(profile);
    snapshot.bindings_ = db.ListBindings(profile);
    snapshot.lights_ = db.ListLightRows(profile);
    for (const std::string& key : config_keys) {
        if (std::optional<std::string> value = db.GetConfigValue(profile, key)) {
            snapshot.config_.push_back({key, std::move(*value)});
        }
    }
    return snapshot;
}

bool ProfileSnapshot::Restore(store::SettingsDatabase& db) const {
    bool ok = !name_ || db.RenameProfile(profile_, *name_);
    ok = db.DeleteBindings(profile_) && ok;
    for (const store::ButtonBinding& binding : bindings_) {
        ok = db.SaveBinding(binding) != 0 && ok;
    }
    for (const store::LightSetting& light : lights_) {
        ok = db.UpdateLightRow(light, light.mode) && ok;
    }
    ok = RestoreActiveLight(db, profile_, lights_) && ok;
    for (const store::ConfigRow& row : config_) {
        ok = db.SetConfigValue(profile_, row.key, row.value) && ok;
    }
    return ok;
}

}  // namespace mousedeck::pages::profiles
