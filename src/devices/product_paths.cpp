#include "devices/product_paths.h"

namespace mousedeck::devices {
namespace {

std::string Join(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

}  // namespace

std::string CataloguePath(std::string_view application_folder) {
    return Join(application_folder, "config.xml");
}

std::string DescriptionPath(std::string_view application_folder, std::string_view device_attr) {
    return Join(Join(application_folder, "device"), std::string(device_attr) + ".xml");
}

std::string DevicePicturePath(std::string_view skin_folder, std::string_view image) {
    return Join(Join(skin_folder, "device"), image);
}

}  // namespace mousedeck::devices
