#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mousedeck::hid {

inline constexpr int kOnline = 1;
inline constexpr int kOfflineByNotification = 0;
inline constexpr int kOfflineByPoll = 2;

// What the manager knows of one open command interface. DeviceManager hands
// out copies; the open handle itself stays inside the manager.
struct HidInterface {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    std::string path;
    int release_number = 0;   // bcdDevice
    int device_type = 0;      // 0 = not identified, 101 = default type
    int connection_mode = 0;  // kWiredMode or kDongleMode
    // kOnline, or kOfflineByNotification / kOfflineByPoll when the mouse
    // behind the receiver cannot be reached. Wired interfaces stay kOnline.
    int online_state = kOnline;
    // Four characters from bytes 4-7 of the identity reply, each byte taken as
    // one character; empty until identified.
    std::string device_id;
    std::array<uint8_t, 65> identity_reply{};
    // False once the interface vanished (read error or hang-up) or was closed.
    bool open = true;
};

}  // namespace mousedeck::hid
