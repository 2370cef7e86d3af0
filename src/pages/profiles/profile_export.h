#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "devices/text_lookup.h"
#include "pages/profiles/profile_file_format.h"
#include "store/settings_database.h"
#include "xml/xml_document.h"

namespace mousedeck::pages::profiles {

// The profile a file is written from or read into.
struct ProfileTarget {
    store::SettingsDatabase& db;
    int profile = 0;               // the current profile
    bool lighting_enabled = true;  // the product has lighting (DeviceDescription::lighting)
};

// The document of a profile file for `target`, ready for SaveText: the
// declaration line, then one element per line ended by CR LF, no
// indentation, "/>" for elements without children. `display_name` is
// written as profileinfo's name. Bindings of layer 0 and lighting rows are
// written in row order; the lighting section only with lighting enabled.
// Configuration keys the profile lacks are written as empty text. Nothing
// when the XML writer refused an edit.
std::optional<xml::XmlDocument> BuildProfileFile(const ProfileTarget& target, std::string_view display_name);

// Writes the profile to `path` under the name its profile button shows
// (store::ProfileDisplayName with the profile word, text 61).
// kNoSuchProfile when the profile has no row; kWriteFailed when the file
// could not be written, in which case a file already at `path` stays whole.
ProfileFileStatus ExportProfileFile(const ProfileTarget& target, const devices::TextLookup& text,
                                    const std::string& path);

}  // namespace mousedeck::pages::profiles
