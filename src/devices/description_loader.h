#pragma once

#include <string>
#include <string_view>

#include "devices/catalogue_view.h"
#include "devices/device_catalogue.h"
#include "devices/device_description.h"

namespace mousedeck::xml {
class XmlDocument;
}

namespace mousedeck::devices {

// The product a device type selects: the first catalogue product with that
// type, or empty name and attr when none has it.
struct CurrentProduct {
    std::string name;
    std::string device_attr;
};
CurrentProduct ProductOf(const DeviceCatalogue& catalogue, int device_type);

// Reads a parsed description file into `description`, cursor at the top
// level, and shows each change. Children of `mouse` are searched forward only,
// in this order: image_file, menu, custom, firmware, mouse_key (key*),
// mouse_info > light_info > light_1 .. light_6. A missing element leaves its
// field as it was; a present `mouse_key` replaces the whole button list.
void ReadDeviceDescription(xml::XmlDocument& document, std::string_view skin_folder,
                           DeviceDescription& description, CatalogueView& view);

struct DescriptionLoad {
    CurrentProduct product;
    bool read = false;  // the file was found and well-formed
};

// Selects the product of `device_type` and reads device/<attr>.xml into
// `description`. A missing or ill-formed file changes nothing on the pages;
// the firmware address is cleared in every case, so a firmware check never
// uses the address of the product selected before. Opening the product's
// settings database (db/<attr>_data1.db) is the caller's part.
DescriptionLoad LoadDeviceDescription(const DeviceCatalogue& catalogue, int device_type,
                                      const ProductFolders& folders, DeviceDescription& description,
                                      CatalogueView& view);

}  // namespace mousedeck::devices
