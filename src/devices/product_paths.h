#pragma once

#include <string>
#include <string_view>

namespace mousedeck::devices {

// The shell's product file places (shell/product_files.h) as text, for the
// loaders, which take their folders as text.

// <application>/config.xml
std::string CataloguePath(std::string_view application_folder);
// <application>/device/<device_attr>.xml; an empty attr gives device/.xml.
std::string DescriptionPath(std::string_view application_folder, std::string_view device_attr);
// <skin>/device/<image>: device cards and mouse pictures; an empty image
// gives <skin>/device/.
std::string DevicePicturePath(std::string_view skin_folder, std::string_view image);

}  // namespace mousedeck::devices
