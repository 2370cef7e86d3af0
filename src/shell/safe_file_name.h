#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mousedeck::shell {

// Longest stem SafeFileName returns, in bytes. Leaves room for the suffixes
// the program appends (" Files", "_data1.db", ".desktop") within the 255-byte
// file-name limit of Linux file systems.
inline constexpr std::size_t kMaxSafeStemBytes = 200;

// Builds one path component from text of the product data (a device name, a
// device_attr) and a fixed suffix, so that it stays inside the folder it is
// joined to: in the stem, "/" and "\" (a path separator on the system the
// data may have been written for), NUL and the other control characters
// become "_", and the stem is cut to kMaxSafeStemBytes without splitting a
// UTF-8 sequence; a result of "", "." or ".." becomes underscores. Ordinary
// names pass unchanged, so files written earlier are found again.
std::string SafeFileName(std::string_view stem, std::string_view suffix = {});

}  // namespace mousedeck::shell
