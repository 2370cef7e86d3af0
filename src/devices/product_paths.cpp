#include "devices/product_paths.h"

#include "shell/product_files.h"

namespace mousedeck::devices {

std::string CataloguePath(std::string_view application_folder) {
    return shell::CatalogueFileIn(application_folder).string();
}

std::string DescriptionPath(std::string_view application_folder, std::string_view device_attr) {
    return shell::DescriptionFileIn(application_folder, device_attr).string();
}

std::string DevicePicturePath(std::string_view skin_folder, std::string_view image) {
    return shell::PictureFileIn(skin_folder, image).string();
}

}  // namespace mousedeck::devices
