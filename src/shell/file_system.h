#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mousedeck::shell {

// Creates a folder with every missing parent. True when the folder exists
// afterwards, whether created now or before; false when a part of the path is
// a file or cannot be created.
bool CreateFolderPath(const std::filesystem::path& folder);

// Replaces a file's contents so that a reader, or the file after a crash,
// holds either the old or the new bytes, never a mix: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over the target. A file being replaced keeps its permission
// bits. False (and no temporary file left behind) on any failure; the folder
// must exist.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

enum class ReadStatus {
    kOk,
    kMissing,  // no such file (or a missing folder on the way)
    kFailed,   // exists but cannot be read: permissions, a folder, I/O error
};

struct FileBytes {
    ReadStatus status = ReadStatus::kFailed;
    std::string bytes;
};

// The whole file; `bytes` is empty unless the status is kOk.
FileBytes ReadFileBytes(const std::filesystem::path& file);

}  // namespace mousedeck::shell
