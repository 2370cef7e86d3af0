#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mousedeck::protocol {

// Mouse firmware version text from the 0x20 reply (bytes 4 and 5): major in
// upper-case hexadecimal without leading zeros, minor as two hexadecimal
// digits ("%X%02X"): 1, 5 give "105"; 0x12, 0x05 give "1205". This text is
// what the update check compares.
std::string FirmwareVersionText(uint8_t major, uint8_t minor);

// The same text for a USB release number (bcdDevice) in "%X": 0x0105 gives
// "105".
std::string ReleaseVersionText(int release_number);

// The two parts a version text is shown with ("%s.%s"): everything before
// the last two characters, then the last two. "105" gives "1" and "05",
// "1205" gives "12" and "05". A text of fewer than three characters has an
// empty first part.
struct VersionDisplay {
    std::string major;
    std::string minor;

    bool operator==(const VersionDisplay&) const = default;
};
VersionDisplay SplitVersionText(std::string_view text);

// "<major>.<minor>", e.g. "1.05".
std::string VersionDisplayText(std::string_view text);

}  // namespace mousedeck::protocol
