#include "protocol/device_identity.h"

#include "protocol/value_codecs.h"

namespace mousedeck::protocol {

DeviceIdentity DecodeIdentity(std::span<const uint8_t> reply) {
    const auto at = [&](std::size_t i) -> uint8_t { return i < reply.size() ? reply[i] : 0; };
    DeviceIdentity identity;
    identity.sensor_code = at(kIdentitySensorByte);
    identity.report_rate_capability = ReportRateCapability(at(kIdentityRateByte));
    identity.battery = {at(kIdentityBatteryByte), at(kIdentityBatteryByte + 1)};
    identity.online = at(kIdentityOnlineByte) != 0;
    return identity;
}

}  // namespace mousedeck::protocol
