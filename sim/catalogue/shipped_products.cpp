#include "sim/catalogue/shipped_products.h"

#include <algorithm>
#include <filesystem>

#include "devices/catalogue_loader.h"
#include "devices/colour_text.h"
#include "shell/lenient_number.h"
#include "xml/xml_document.h"

namespace mousedeck::sim {
namespace {

uint8_t Byte(const std::string& text) {
    return static_cast<uint8_t>(std::clamp(shell::ParseLenientInt(text), 0, 255));
}

}  // namespace

std::vector<SimProduct> ProductsOfCatalogue(const devices::DeviceCatalogue& catalogue) {
    std::vector<SimProduct> products;
    for (const auto& mouse : catalogue.Mice()) {
        if (std::any_of(products.begin(), products.end(),
                        [&](const SimProduct& p) { return p.device_type == mouse.device_type; })) {
            continue;  // the first product of a type is the one the host selects
        }
        SimProduct product;
        product.name = mouse.name;
        product.device_type = mouse.device_type;
        product.modes.clear();
        for (const auto& mode : catalogue.Modes()) {
            if (mode.device_type != mouse.device_type || (mode.value != 0 && mode.value != 1) ||
                product.ModeOf(mode.value) != nullptr || mode.vendor_id > 0xFFFF ||
                mode.product_id > 0xFFFF) {
                continue;
            }
            if (product.modes.empty()) {
                product.device_id = (mode.dev_id + "0000").substr(0, 4);
            }
            product.modes.push_back({mode.value, static_cast<uint16_t>(mode.vendor_id),
                                     static_cast<uint16_t>(mode.product_id), CommandUsage::kVendor});
        }
        if (!product.modes.empty()) {
            products.push_back(std::move(product));
        }
    }
    return products;
}

void ApplyDeviceDefaults(const devices::DeviceDefaults& defaults, FactorySettings& factory) {
    if (defaults.dpi) {
        factory.stage_index = static_cast<uint8_t>(Byte(defaults.dpi->default_dpi) & 0x0F);
        factory.stage_count = static_cast<uint8_t>(Byte(defaults.dpi->dpi_count) & 0x0F);
        for (std::size_t i = 0; i < defaults.dpi->stages.size(); ++i) {
            if (const auto& stage = defaults.dpi->stages[i]) {
                factory.stage_dpi[i] = shell::ParseLenientInt(stage->value);
                factory.stage_colour[i] = devices::ParseColourText(stage->color);
            }
        }
    }
    if (defaults.report_rate) {
        factory.report_rate = Byte(*defaults.report_rate);
    }
    if (defaults.sleep_light) {
        factory.sleep_time = Byte(*defaults.sleep_light);
    }
    if (defaults.move_wakeup) {
        factory.move_wakeup = Byte(*defaults.move_wakeup);
    }
    if (defaults.move_closelight) {
        factory.move_closelight = Byte(*defaults.move_closelight);
    }
    if (defaults.lod) {
        factory.liftoff = Byte(*defaults.lod);
    }
}

std::vector<SimProduct> LoadShippedProducts(const std::string& application_folder) {
    const std::filesystem::path folder(application_folder);
    xml::XmlDocument document;
    if (!document.LoadText((folder / "config.xml").string()) || !document.ParseText()) {
        return {};
    }
    const devices::DeviceCatalogue catalogue = devices::ReadCatalogue(document, "");
    std::vector<SimProduct> products = ProductsOfCatalogue(catalogue);
    for (auto& product : products) {
        const devices::CatalogueMouse* mouse = catalogue.FindMouse(product.device_type);
        if (mouse == nullptr) {
            continue;
        }
        const auto path = folder / "device" / (mouse->device_attr + ".xml");
        if (const auto defaults = devices::LoadDeviceDefaults(path.string())) {
            ApplyDeviceDefaults(*defaults, product.factory);
        }
    }
    return products;
}

}  // namespace mousedeck::sim
