#pragma once

#include <filesystem>
#include <string_view>

namespace mousedeck::shell {

// Where the product data's files lie below the folders they ship in, for
// AppPaths and for loaders handed a folder of their own. Names taken from the
// product data are made safe with SafeFileName, so no device_attr or picture
// name can lead a path out of its folder.

// <application>/config.xml
std::filesystem::path CatalogueFileIn(const std::filesystem::path& application_folder);
// <application>/device/<device_attr>.xml; an empty attr gives device/.xml,
// which no product ships, so nothing is read for an unknown product.
std::filesystem::path DescriptionFileIn(const std::filesystem::path& application_folder,
                                        std::string_view device_attr);
// <skin>/device/<image>: device cards and mouse pictures. An empty image
// name gives the folder (<skin>/device/), which no picture loads from.
std::filesystem::path PictureFileIn(const std::filesystem::path& skin_folder, std::string_view image);

}  // namespace mousedeck::shell
