#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "update/update_folder.h"

namespace mousedeck::update {

// A firmware image the user names instead of the firmware server: a zip
// archive (as the server serves it) or the raw image. An archive is
// unpacked into `folder` (emptied first) and must hold exactly one image:
// "firmware     -<version>.bin" as the server's archives do, else the one
// ".bin" entry. Nothing when the file cannot be read, the archive holds no
// single image, or the image is empty or longer than the boot-loader takes.
std::optional<std::vector<uint8_t>> LoadLocalImage(const std::filesystem::path& file, const UpdateFolder& folder);

}  // namespace mousedeck::update
