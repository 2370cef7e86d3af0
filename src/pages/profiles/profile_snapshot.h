#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/settings_database.h"

namespace mousedeck::pages::profiles {

// What a profile import changes, captured before it starts so that a failed
// import can put the profile back: the stored name, the button assignments
// of layer 0, the lighting rows with the active effect, and the chosen
// configuration keys.
//
// The record operations give no transaction spanning several of them, so a
// failure half way is undone by writing the captured rows back. Rows on
// other layers than 0 are not captured (the store lists layer 0 only; this
// program never writes other layers).
class ProfileSnapshot {
public:
    // Keys the profile lacks are left out: an import cannot create them.
    static ProfileSnapshot Capture(store::SettingsDatabase& db, int profile,
                                   std::span<const std::string> config_keys);

    // Writes everything back, going on past failures; true when every
    // write succeeded.
    bool Restore(store::SettingsDatabase& db) const;

private:
    int profile_ = 0;
    std::optional<std::string> name_;
    std::vector<store::ButtonBinding> bindings_;
    std::vector<store::LightSetting> lights_;
    std::vector<store::ConfigRow> config_;
};

}  // namespace mousedeck::pages::profiles
