#pragma once

#include <vector>

#include "hid/hid_backend.h"
#include "sim/sim_product.h"

namespace mousedeck::sim {

// The HID collections a product shows per connection mode, each on its own
// USB interface as a real product has them.
enum class InterfaceRole {
    kPointer,     // 0x0001/0x0002, interface 0: pointer input only
    kKeyboard,    // 0x0001/0x0006, interface 1: the host must skip it
    kCommand,     // 0xFF01/0x0010 or 0x0001/0x0000, interface 2
    kBootLoader,  // 0xFFEF/0x0000, interface 3
};

struct Endpoint {
    hid::HidDeviceInfo info;
    int mode = 0;  // 0 = cable, 1 = receiver
    InterfaceRole role = InterfaceRole::kCommand;
};

// The interfaces of one connection mode in enumeration order, with paths
// "sim:<unit>:<vid>:<pid>:<interface>" (ids as four lower-case hex digits).
// The keyboard collection comes before the command collection, so a host
// that does not check usages picks the wrong one.
std::vector<Endpoint> InterfacesOf(const SimMode& mode, int unit, uint16_t release_number);

// A process-wide unit number for the paths of one more simulated mouse.
int NextUnit();

}  // namespace mousedeck::sim
