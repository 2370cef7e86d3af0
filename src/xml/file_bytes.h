#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mousedeck::xml {

// The whole file as bytes; nothing when it cannot be opened or read, or
// holds more than max_size bytes.
std::optional<std::string> ReadFileBytes(const std::string& path, std::size_t max_size);

// Replaces the file with the bytes: they are written to a new file in the
// same folder, which is then renamed over the old one, so readers see the
// old or the new contents and never a part. The new file is created with
// the usual permissions (0666 less the umask). False when any step fails;
// the old file is then untouched and no temporary file is left.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes);

}  // namespace mousedeck::xml
