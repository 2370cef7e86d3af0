#include "devices/device_defaults.h"

#include <cstddef>
#include <string_view>

#include "xml/xml_document.h"

namespace mousedeck::devices {
namespace {

std::optional<std::string> ReadValue(xml::XmlDocument& document, std::string_view element,
                                     std::string_view attribute) {
    if (!document.FindNext(element)) {
        return std::nullopt;
    }
    return document.AttributeOf(attribute);
}

DpiDefaults ReadDpi(xml::XmlDocument& document) {
    DpiDefaults dpi;
    dpi.default_dpi = document.AttributeOf("default_dpi");
    dpi.dpi_count = document.AttributeOf("dpi_count");
    if (!document.EnterElement()) {
        return dpi;
    }
    static constexpr std::string_view kStages[] = {"dpi_1", "dpi_2", "dpi_3", "dpi_4", "dpi_5", "dpi_6"};
    for (std::size_t i = 0; i < std::size(kStages); ++i) {
        if (document.FindNext(kStages[i])) {
            dpi.stages[i] = DpiStageDefault{document.AttributeOf("value"), document.AttributeOf("color")};
        }
    }
    document.LeaveElement();
    return dpi;
}

}  // namespace

DeviceDefaults ReadDeviceDefaults(xml::XmlDocument& document) {
    DeviceDefaults defaults;
    if (!document.FindNext("mouse") || !document.EnterElement()) {
        return defaults;
    }
    if (document.FindNext("mouse_info") && document.EnterElement()) {
        if (document.FindNext("dpi_info")) {
            defaults.dpi = ReadDpi(document);
        }
        defaults.report_rate = ReadValue(document, "report_rate", "default_value");
        defaults.sleep_light = ReadValue(document, "sleep_light", "value");
        defaults.move_wakeup = ReadValue(document, "move_wakeup", "value");
        defaults.move_closelight = ReadValue(document, "move_closelight", "value");
        defaults.lod = ReadValue(document, "lod", "value");
        document.LeaveElement();
    }
    document.LeaveElement();
    return defaults;
}

std::optional<DeviceDefaults> LoadDeviceDefaults(const std::string& path) {
    xml::XmlDocument document;
    if (!document.LoadText(path) || !document.ParseText()) {
        return std::nullopt;
    }
    return ReadDeviceDefaults(document);
}

}  // namespace mousedeck::devices
