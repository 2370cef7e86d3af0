#include "devices/catalogue_loader.h"

#include "devices/product_paths.h"
#include "shell/lenient_number.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

using shell::ParseLenientHex;
using shell::ParseLenientInt;

void ReadModes(xml::XmlDocument& document, const CatalogueMouse& mouse, DeviceCatalogue& catalogue) {
    if (!document.EnterElement()) {
        return;
    }
    while (document.FindNext("mode")) {
        CatalogueMode mode;
        mode.name = mouse.name;
        mode.device_type = mouse.device_type;
        mode.device_attr = mouse.device_attr;
        mode.image_path = mouse.image_path;
        mode.value = ParseLenientInt(document.AttributeOf("value"));
        mode.desc = document.AttributeOf("desc");
        mode.vendor_id = ParseLenientHex(document.AttributeOf("vid"));
        mode.product_id = ParseLenientHex(document.AttributeOf("pid"));
        mode.dev_id = document.AttributeOf("dev_id");
        mode.hid_interface = document.AttributeOf("hid_interface");
        catalogue.AddMode(std::move(mode));
    }
    document.LeaveElement();
}

void ReadDevices(xml::XmlDocument& document, std::string_view skin_folder, DeviceCatalogue& catalogue) {
    if (!document.FindNext("device") || !document.EnterElement()) {
        return;
    }
    while (document.FindNext("mouse")) {
        CatalogueMouse mouse;
        mouse.name = document.AttributeOf("name");
        mouse.device_type = ParseLenientInt(document.AttributeOf("device_type"));
        mouse.device_attr = document.AttributeOf("device_attr");
        mouse.image_path = DevicePicturePath(skin_folder, document.AttributeOf("image"));
        ReadModes(document, mouse, catalogue);
        catalogue.AddMouse(std::move(mouse));
    }
    document.LeaveElement();
}

// Reads the `url` (or other) attribute of the next child with this name into
// `field`; a missing child leaves the field empty and the cursor in place.
void ReadChild(xml::XmlDocument& document, std::string_view element, std::string_view attribute,
               std::string& field) {
    if (document.FindNext(element)) {
        field = document.AttributeOf(attribute);
    }
}

SoftwareInfo ReadSoftware(xml::XmlDocument& document) {
    SoftwareInfo software;
    if (!document.FindNext("software")) {
        return software;
    }
    software.present = true;
    software.caption = document.AttributeOf("caption");
    software.version = document.AttributeOf("version");
    if (document.EnterElement()) {
        ReadChild(document, "website", "url", software.website_url);
        ReadChild(document, "feedback", "url", software.feedback_url);
        ReadChild(document, "qa", "url", software.qa_url);
        ReadChild(document, "store", "url", software.store_url);
        ReadChild(document, "upgrade", "url", software.upgrade_url);
        ReadChild(document, "copyright", "info", software.copyright);
        document.LeaveElement();
    }
    return software;
}

}  // namespace

DeviceCatalogue ReadCatalogue(xml::XmlDocument& document, std::string_view skin_folder) {
    DeviceCatalogue catalogue;
    if (!document.FindNext("config") || !document.EnterElement()) {
        return catalogue;
    }
    ReadDevices(document, skin_folder, catalogue);
    catalogue.SetSoftware(ReadSoftware(document));
    document.LeaveElement();
    return catalogue;
}

bool LoadCatalogue(const ProductFolders& folders, const TextLookup& text, DeviceCatalogue& catalogue,
                   CatalogueView& view) {
    catalogue.Clear();
    view.ClearDeviceCards();
    xml::XmlDocument document;
    if (!document.LoadText(CataloguePath(folders.application)) || !document.ParseText()) {
        return false;
    }
    catalogue = ReadCatalogue(document, folders.skin);
    for (const CatalogueMouse& mouse : catalogue.Mice()) {
        view.AddDeviceCard(mouse.name, mouse.device_type, mouse.image_path);
    }
    const SoftwareInfo& software = catalogue.Software();
    if (software.present) {
        view.ShowTitleCaption(TitleCaption(text ? text(kVersionTitleText) : std::string(), software.version));
    }
    return true;
}

std::string TitleCaption(std::string_view version_word, std::string_view version) {
    std::string caption(version_word);
    caption += ": v";
    caption += version;
    return caption;
}

}  // namespace mousedeck::devices
