#pragma once

#include <functional>
#include <string>

#include "devices/text_lookup.h"
#include "pages/profiles/profile_export.h"
#include "pages/profiles/profile_file_format.h"
#include "store/profile_setup.h"

namespace mousedeck::pages::profiles {

// The name an imported profile takes: the file's name without its folder
// and without a final ".xml" (any case). Other names are taken whole, so a
// file without that extension keeps all of its name. Bytes that are not
// UTF-8 become U+FFFD.
std::string ImportedProfileName(const std::string& path);

// Replaces the settings of `target`'s profile with those of a profile file:
//  - the profile is renamed after the file (ImportedProfileName; an empty
//    name keeps the old one) and `view` shows its name again;
//  - every button assignment of the profile, on all layers, is removed and
//    the file's are stored (an assignment whose values are both 0 leaves the
//    button at its default);
//  - with lighting enabled and a `Lightitems` read: its effect becomes the
//    active one when the profile has a row for it, and each item updates
//    the profile's row of its effect (items for other effects are skipped;
//    no row is created);
//  - the configuration keys read from Mouse_DPI and Mouse are stored as
//    text, keys the profile lacks are not created;
//  - then `write_all` (may be empty) sends every setting to the mouse.
// See ReadProfileDocument for which elements are seen.
//
// The file is read whole first: a file that cannot be read, is not
// well-formed or has no `profile` root changes nothing. A failed database
// write puts the profile back as it was (kDatabaseFailed) and nothing is
// sent. kNoSuchProfile when the profile has no row.
ProfileFileStatus ImportProfileFile(const ProfileTarget& target, const std::string& path,
                                    const devices::TextLookup& text, store::ProfileView& view,
                                    const std::function<void()>& write_all);

}  // namespace mousedeck::pages::profiles
