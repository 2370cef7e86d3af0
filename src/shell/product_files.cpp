#include "shell/product_files.h"

#include "shell/safe_file_name.h"

namespace mousedeck::shell {

std::filesystem::path CatalogueFileIn(const std::filesystem::path& application_folder) {
    return application_folder / "config.xml";
}

std::filesystem::path DescriptionFileIn(const std::filesystem::path& application_folder,
                                        std::string_view device_attr) {
    return application_folder / "device" / SafeFileName(device_attr, ".xml");
}

std::filesystem::path PictureFileIn(const std::filesystem::path& skin_folder, std::string_view image) {
    const std::filesystem::path pictures = skin_folder / "device";
    return pictures / (image.empty() ? std::string() : SafeFileName(image));
}

}  // namespace mousedeck::shell
