#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mousedeck::update {

// Dotted version comparison. Both texts are split at every "." (empty parts
// count); a different number of parts gives 2. Otherwise the parts are
// compared in order by their leading decimal digits (none counts as 0): -1
// when the first differing part of `current` is larger, 1 when it is
// smaller, 0 when all are equal. Callers take any result above 0 as "newer",
// so a different number of parts counts as newer too.
int CompareVersions(std::string_view current, std::string_view latest);

// Longest version answers the checks accept.
inline constexpr std::size_t kMaxAppVersionChars = 10;
inline constexpr std::size_t kMaxFirmwareVersionChars = 9;

// The version in an update server's answer, when it is one: trailing white
// space (a line break) removed, then 1 to `max_chars` characters, each a
// letter, a digit or one of ". _ + -". The text names downloaded files and
// addresses, so anything that could leave a folder or break a URL ("/",
// "\", control characters, spaces) makes the answer unusable; so does an
// error page, which is longer.
std::optional<std::string> VersionFromAnswer(std::string_view answer, std::size_t max_chars);

// True for a text VersionFromAnswer would return as it stands.
bool IsSafeVersionText(std::string_view text);

}  // namespace mousedeck::update
