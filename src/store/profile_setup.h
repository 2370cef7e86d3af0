#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "devices/device_defaults.h"
#include "devices/text_lookup.h"

namespace mousedeck::store {

class SettingsDatabase;

// The application keeps exactly four profiles.
inline constexpr int kProfileCount = 4;
// Language text of the word "profile", used in default and displayed names.
inline constexpr int kProfileWordText = 61;

// Where the current profile's name is shown (the profile button of the main
// window). Does nothing by default.
//
// Threads: called from whichever thread runs the operation, normally the
// device worker (device read, factory reset): a GUI must queue it.
class ProfileView {
public:
    virtual ~ProfileView() = default;
    virtual void ShowProfileName(const std::string& /*display_name*/) {}
};

// The name a new profile is stored with: "<profile word> <number>".
std::string DefaultProfileName(std::string_view profile_word, int number);

// The name shown for a stored name. A stored name starting with "Profile"
// (case-sensitive) or "配置" is shown as the current profile word, a space and
// the rest of the stored name, so the default names follow the interface
// language; "Profile 3" therefore shows as "<word>  3" (two spaces). Any other
// name is shown as typed.
std::string ProfileDisplayName(std::string_view stored_name, std::string_view profile_word);

// Makes sure the profiles exist and one is active; returns the current
// profile number (0 only when the database holds no profile at all).
//
// A database without profiles receives four, named DefaultProfileName 1..4,
// each with every seed key and then the product's `defaults` (when the
// description could be read), and the first of them becomes active. When no
// profile is active, the lowest-numbered one is made active. Finally the
// current profile's display name is shown.
int EnsureProfiles(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                   const devices::TextLookup& text, ProfileView& view);

// The profile part of a factory reset: EnsureProfiles, then the product's
// defaults copied into every profile (the seed rows are not inserted again),
// and the lowest-numbered profile made active and current. Returns it.
int ResetProfilesToDefaults(SettingsDatabase& db, const std::optional<devices::DeviceDefaults>& defaults,
                            const devices::TextLookup& text, ProfileView& view);

// Shows the display name of `profile` (empty when it has no row).
void ShowProfileName(SettingsDatabase& db, int profile, const devices::TextLookup& text, ProfileView& view);

}  // namespace mousedeck::store
