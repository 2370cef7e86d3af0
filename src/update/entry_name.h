#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mousedeck::update {

// A zip entry's stored name as UTF-8: names marked UTF-8 (general purpose
// flag bit 11) and names that are valid UTF-8 stay as they are; others are
// read in code page 437, the legacy code page of zip tools.
std::string EntryNameText(std::string_view stored, bool marked_utf8);

// A zip entry's name with the traditional clean-up applied: repeated until
// nothing changes, a drive prefix (any character followed by ":"), one
// leading "\" or "/", and everything up to and including the first "\..\",
// "\../", "/../" or "/..\" are removed.
std::string CleanEntryName(std::string_view name);

// Where an entry goes below the target folder, as folder names and a last
// name. Both "/" and "\" separate; empty and "." parts are dropped; ".."
// steps back one part and an entry that would step above the target folder
// is refused (nullopt). The name is cleaned first (CleanEntryName).
struct EntryPath {
    std::vector<std::string> parts;  // empty: the target folder itself
    bool is_folder = false;          // the name ended with a separator
};
std::optional<EntryPath> ResolveEntryName(std::string_view name);

}  // namespace mousedeck::update
