#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace mousedeck::xml {

enum class ReadStatus {
    kOk,
    kMissing,  // no such file (or a missing folder on the way)
    kFailed,   // exists but cannot be read: permissions, not a regular file,
               // larger than allowed, I/O error
};

struct FileBytes {
    ReadStatus status = ReadStatus::kFailed;
    std::string bytes;  // empty unless the status is kOk
};

// The whole of a regular file. kFailed when it holds more than max_size
// bytes, also when it grows past that while being read.
FileBytes ReadFileBytes(const std::filesystem::path& file,
                        std::size_t max_size = std::numeric_limits<std::size_t>::max());

// Replaces a file's contents so that a reader, or the file after a crash,
// holds either the old or the new bytes, never a mix: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the target. A file being replaced keeps its permission
// bits; a new one gets 0666 less the umask. False (with the old file untouched
// and no temporary file left behind) on any failure; the folder must exist.
bool ReplaceFileBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace mousedeck::xml
