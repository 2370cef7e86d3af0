#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/discovery/hotplug_event.h"

namespace mousedeck::discovery {

// What udev tells of a hidraw node, gathered by the monitor. Fields other
// than action and devpath come from the parent devices and are empty when
// udev could not give them (always on removal: the parents are gone).
struct UeventFields {
    std::string action;   // "add", "remove", ...
    std::string devpath;  // DEVPATH, e.g. /devices/.../1-2:1.2/0003:1209:0001.0004/hidraw/hidraw3
    std::string devnode;  // DEVNAME, e.g. /dev/hidraw3
    std::string hid_id;   // HID_ID of the parent hid device: "0003:00001209:00000001" (bus:vendor:product)
    std::string interface_number;            // bInterfaceNumber of the parent usb_interface, two hex digits
    std::vector<uint8_t> report_descriptor;  // of the parent hid device
};

// Identifiers read from a hidraw DEVPATH: the hid device component
// "BBBB:VVVV:PPPP.NNNN" (hexadecimal) and, for a USB device, the interface
// component before it, "<bus>-<ports>:<configuration>.<interface>".
struct DevpathIds {
    uint16_t bus = 0;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    int interface_number = -1;

    bool operator==(const DevpathIds&) const = default;
};
std::optional<DevpathIds> ParseHidrawDevpath(std::string_view devpath);

// The event for an "add" or a "remove" of a hidraw node; nothing for other
// actions or when no vendor and product id can be found. The ids come from
// HID_ID when given, else from the devpath; the interface number from
// bInterfaceNumber, else from the devpath (for USB devices only); the
// collections from the report descriptor.
std::optional<HotplugEvent> HotplugEventFromUevent(const UeventFields& fields);

}  // namespace mousedeck::discovery
