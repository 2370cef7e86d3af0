#pragma once

#include <array>
#include <optional>
#include <string>

namespace mousedeck::xml {
class XmlDocument;
}

namespace mousedeck::devices {

// One `dpi_n` element: the texts exactly as written (an absent attribute is
// empty text). The colour is converted only when it is stored.
struct DpiStageDefault {
    std::string value;
    std::string color;

    bool operator==(const DpiStageDefault&) const = default;
};

struct DpiDefaults {
    std::string default_dpi;                               // active stage, copied as written
    std::string dpi_count;                                 // stage count, copied as written
    std::array<std::optional<DpiStageDefault>, 6> stages;  // dpi_1 .. dpi_6, when present

    bool operator==(const DpiDefaults&) const = default;
};

// The performance defaults under `mouse_info` of a description file. Each
// field is set only when its element is present; values are the attribute
// texts, copied without range checks.
struct DeviceDefaults {
    std::optional<DpiDefaults> dpi;
    std::optional<std::string> report_rate;  // `report_rate default_value`
    std::optional<std::string> sleep_light;
    std::optional<std::string> move_wakeup;
    std::optional<std::string> move_closelight;
    std::optional<std::string> lod;  // lift-off distance

    bool operator==(const DeviceDefaults&) const = default;
};

// Reads a parsed description file, cursor at the top level: mouse >
// mouse_info > dpi_info (dpi_1 .. dpi_6), report_rate, sleep_light,
// move_wakeup, move_closelight, lod. Each element is searched forward from the
// one found before it, so an element out of that order is not seen.
DeviceDefaults ReadDeviceDefaults(xml::XmlDocument& document);

// Reads the file at `path`; nullopt when it is missing or not well-formed.
std::optional<DeviceDefaults> LoadDeviceDefaults(const std::string& path);

}  // namespace mousedeck::devices
