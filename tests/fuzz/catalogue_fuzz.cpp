// Arbitrary bytes as config.xml and as a description file, through every
// reader of the product data. Each reader also runs on documents that failed
// to parse, which the file loaders refuse, so any partial index is walked too.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devices/catalogue_loader.h"
#include "devices/catalogue_view.h"
#include "devices/colour_text.h"
#include "devices/description_loader.h"
#include "devices/device_defaults.h"
#include "shell/language_list.h"
#include "xml/xml_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mousedeck;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    xml::XmlDocument document;
    document.SetBytes(bytes);
    document.ParseText();
    const devices::DeviceCatalogue catalogue = devices::ReadCatalogue(document, "skin");
    catalogue.MatchRules();

    document.ParseText();
    shell::ReadLanguageList(document);

    document.ParseText();
    devices::CatalogueView view;
    devices::DeviceDescription description;
    devices::ReadDeviceDescription(document, "skin", description, view);

    document.ParseText();
    const devices::DeviceDefaults defaults = devices::ReadDeviceDefaults(document);
    if (defaults.dpi) {
        for (const auto& stage : defaults.dpi->stages) {
            if (stage) {
                devices::ParseColourText(stage->color);
            }
        }
    }
    devices::ParseColourText(bytes);
    return 0;
}
