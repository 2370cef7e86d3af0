#include "devices/description_loader.h"

#include <cstddef>
#include <string>

#include "devices/product_paths.h"
#include "shell/lenient_number.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

using shell::ParseLenientInt;

bool IsOn(const xml::XmlDocument& document, std::string_view attribute) {
    return ParseLenientInt(document.AttributeOf(attribute)) == 1;
}

// "x1#x2#y". Each "#" found ends the next x; y is what remains, so a text
// without "#" is all y and "x1#y" leaves x2 at 0.
void ParseRect(std::string_view rect, DescriptionButton& button) {
    std::size_t hash = rect.find('#');
    if (hash != std::string_view::npos) {
        button.x1 = ParseLenientInt(rect.substr(0, hash));
        rect.remove_prefix(hash + 1);
        hash = rect.find('#');
        if (hash != std::string_view::npos) {
            button.x2 = ParseLenientInt(rect.substr(0, hash));
            rect.remove_prefix(hash + 1);
        }
    }
    button.y = ParseLenientInt(rect);
}

DescriptionButton ReadButton(const xml::XmlDocument& document) {
    DescriptionButton button;
    button.name = ParseLenientInt(document.AttributeOf("name"));
    button.key_value = ParseLenientInt(document.AttributeOf("key_value"));
    button.direction = ParseLenientInt(document.AttributeOf("direction"));
    ParseRect(document.AttributeOf("rect"), button);
    button.description = ParseLenientInt(document.AttributeOf("func_desc"));
    button.func_type = ParseLenientInt(document.AttributeOf("func_type"));
    button.func_value = ParseLenientInt(document.AttributeOf("func_value"));
    return button;
}

void ReadButtons(xml::XmlDocument& document, DeviceDescription& description, CatalogueView& view) {
    if (!document.FindNext("mouse_key")) {
        return;
    }
    description.buttons.clear();
    if (document.EnterElement()) {
        while (document.FindNext("key")) {
            description.buttons.push_back(ReadButton(document));
        }
        document.LeaveElement();
    }
    view.ShowButtons(description.buttons);
}

void ReadLightEffects(xml::XmlDocument& document, DeviceDescription& description) {
    if (!document.FindNext("mouse_info") || !document.EnterElement()) {
        return;
    }
    if (document.FindNext("light_info") && document.EnterElement()) {
        static constexpr std::string_view kElements[] = {"light_1", "light_2", "light_3",
                                                         "light_4", "light_5", "light_6"};
        for (std::size_t i = 0; i < std::size(kElements); ++i) {
            if (document.FindNext(kElements[i])) {
                // light_n offers effect n; light_6 offers effect 0 (off).
                description.light_effects[(i + 1) % 6] = IsOn(document, "enable");
            }
        }
        document.LeaveElement();
    }
    document.LeaveElement();
}

}  // namespace

CurrentProduct ProductOf(const DeviceCatalogue& catalogue, int device_type) {
    const CatalogueMouse* mouse = catalogue.FindMouse(device_type);
    if (mouse == nullptr) {
        return {};
    }
    return {mouse->name, mouse->device_attr};
}

void ReadDeviceDescription(xml::XmlDocument& document, std::string_view skin_folder,
                           DeviceDescription& description, CatalogueView& view) {
    if (!document.FindNext("mouse") || !document.EnterElement()) {
        return;
    }
    if (document.FindNext("image_file")) {
        description.mouse_picture = DevicePicturePath(skin_folder, document.AttributeOf("mouse_img"));
        view.ShowMousePicture(description.mouse_picture);
    }
    if (document.FindNext("menu")) {
        description.lighting = IsOn(document, "light");
        view.ShowLightingTab(description.lighting);
    }
    if (document.FindNext("custom")) {
        description.options.show_dpi_tips = IsOn(document, "show_dpitips");
        description.options.show_save_tips = IsOn(document, "show_savetips");
        description.options.show_lod = IsOn(document, "show_lod");
        description.options.show_sensor = IsOn(document, "show_sensor");
        view.ShowPageOptions(description.options);
    }
    if (document.FindNext("firmware")) {
        description.firmware_url = document.AttributeOf("url");
    }
    ReadButtons(document, description, view);
    ReadLightEffects(document, description);
    document.LeaveElement();
}

DescriptionLoad LoadDeviceDescription(const DeviceCatalogue& catalogue, int device_type,
                                      const ProductFolders& folders, DeviceDescription& description,
                                      CatalogueView& view) {
    DescriptionLoad load;
    load.product = ProductOf(catalogue, device_type);
    description.firmware_url.clear();
    xml::XmlDocument document;
    if (!document.LoadText(DescriptionPath(folders.application, load.product.device_attr)) ||
        !document.ParseText()) {
        return load;
    }
    load.read = true;
    ReadDeviceDescription(document, folders.skin, description, view);
    return load;
}

}  // namespace mousedeck::devices
