#pragma once

#include <filesystem>

#include "xml/file_bytes.h"

namespace mousedeck::shell {

// Creates a folder with every missing parent. True when the folder exists
// afterwards, whether created now or before; false when a part of the path is
// a file or cannot be created.
bool CreateFolderPath(const std::filesystem::path& folder);

// Whole-file reads and atomic replacement belong to the lowest layer, which
// reads product files too; shell code and its callers name them from here.
using xml::FileBytes;
using xml::ReadFileBytes;
using xml::ReadStatus;
using xml::ReplaceFileBytes;

}  // namespace mousedeck::shell
