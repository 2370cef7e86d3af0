#pragma once

#include <string>
#include <string_view>

namespace mousedeck::devices {

// <application>/config.xml
std::string CataloguePath(std::string_view application_folder);
// <application>/device/<device_attr>.xml; an empty attr gives device/.xml,
// which no product ships, so nothing is read for an unknown product.
std::string DescriptionPath(std::string_view application_folder, std::string_view device_attr);
// <skin>/device/<image>: device cards and mouse pictures.
std::string DevicePicturePath(std::string_view skin_folder, std::string_view image);

}  // namespace mousedeck::devices
