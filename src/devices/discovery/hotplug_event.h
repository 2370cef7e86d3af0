#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hid/report_descriptor.h"

namespace mousedeck::discovery {

// Usage page and usage of one top-level collection of a HID interface, as
// the report descriptor reader finds them.
using UsagePair = hid::UsagePair;

// One HID interface (a hidraw node) appearing or going away, as the hot-plug
// sources hand it to DeviceDiscovery::UpdateUSBDevice.
struct HotplugEvent {
    enum class Kind { kArrival, kRemoval };

    Kind kind = Kind::kArrival;
    std::string path;  // /dev/hidrawN, or the simulated interface's path
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    // The interface's top-level collections. Empty when unknown, which is
    // always so for a removal from udev: the node's descriptor is gone by then.
    std::vector<UsagePair> usages;
    // USB interface number (bInterfaceNumber); -1 when unknown or not USB.
    int interface_number = -1;

    bool operator==(const HotplugEvent&) const = default;
};

}  // namespace mousedeck::discovery
