#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace mousedeck::protocol {

// What the read-back takes from the identity reply (command 0x10; reply
// bytes as read, no report id). An all-zero reply, as an interface that was
// never identified holds, decodes to sensor 0, capability 4 and offline.
struct DeviceIdentity {
    int sensor_code = 0;               // byte 10: DPI encoding and limits
    int report_rate_capability = 4;    // byte 11: 0x10 -> 5, 0x20 -> 6, 0x40 -> 7, else 4
    std::array<uint8_t, 2> battery{};  // bytes 12, 13, passed on as they are
    bool online = false;               // byte 14: 0 = the mouse behind the receiver is away

    bool operator==(const DeviceIdentity&) const = default;
};

inline constexpr std::size_t kIdentitySensorByte = 10;
inline constexpr std::size_t kIdentityRateByte = 11;
inline constexpr std::size_t kIdentityBatteryByte = 12;  // and 13
inline constexpr std::size_t kIdentityOnlineByte = 14;

// Bytes the reply lacks read as 0.
DeviceIdentity DecodeIdentity(std::span<const uint8_t> reply);

}  // namespace mousedeck::protocol
