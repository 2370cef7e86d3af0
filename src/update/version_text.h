#pragma once

#include <string>
#include <string_view>

namespace mousedeck::update {

// The firmware version text of a USB release number (bcdDevice): upper-case
// hexadecimal without leading zeros, so 0x0105 gives "105". This is the text
// the firmware check compares.
std::string ReleaseText(int release_number);

// How a firmware version text is shown after "v": the last two characters
// are the minor version, everything before them the major, so "105" shows as
// "1.05" and "1234" as "12.34" (no digit is hidden; the mouse's own 0x20
// answer is shown the same way). A text that already has a dot, or is
// shorter than three characters, is shown as it is.
std::string VersionLabel(std::string_view version);

// "<text>: v<label>", the caption and status form of a firmware version.
std::string FirmwareVersionLine(std::string_view text, std::string_view version);

// "<text>: <percent>%", the status line of both progress dialogs.
std::string ProgressLine(std::string_view text, int percent);

}  // namespace mousedeck::update
