#pragma once

#include <string>
#include <string_view>

#include "pages/profiles/profile_file_format.h"
#include "xml/xml_document.h"

namespace mousedeck::pages::profiles {

struct ProfileFileRead {
    ProfileFileStatus status = ProfileFileStatus::kOk;
    ProfileFileContents contents;  // empty unless kOk
};

// Reading rules, those of the document cursor: each element is looked for
// among the siblings after the element last found at its level, so the
// sections (keyitems, Lightitems, Mouse_DPI, Mouse) and the children of
// Mouse_DPI and Mouse are only seen in the written order; a missing one
// does not move the starting point, and other names are skipped. Without
// `profileinfo` the sections are looked for among the children of the
// root. `Lightitems` is looked for only when `lighting_enabled`, so with
// lighting off it neither counts nor moves the starting point. Numbers
// that are missing or not numeric read as 0 (shell::ParseLenientInt);
// configuration values are kept as text.

// From a document that parsed well-formed; kMalformed when the root is not
// `profile`.
ProfileFileRead ReadProfileDocument(xml::XmlDocument& doc, bool lighting_enabled);
// Loads and parses the file first: kUnreadable when it cannot be read,
// kMalformed when it is not well-formed.
ProfileFileRead ReadProfileFile(const std::string& path, bool lighting_enabled);
// The same from the file's bytes.
ProfileFileRead ReadProfileBytes(std::string_view bytes, bool lighting_enabled);

}  // namespace mousedeck::pages::profiles
