#include "protocol/notification.h"

#include "hid/command_frame.h"

namespace mousedeck::protocol {

Notification DecodeNotification(std::span<const uint8_t> report) {
    const auto at = [&](std::size_t i) -> uint8_t { return i < report.size() ? report[i] : 0; };
    Notification n;
    n.raw_kind = at(0);
    switch (n.raw_kind) {
        case 0:
            n.kind = Notification::Kind::kNone;
            break;
        case hid::kDpiReport:
            n.stage = DecodeStageByte(at(1));
            n.kind = IsValidStage(n.stage) ? Notification::Kind::kDpiStage : Notification::Kind::kBadDpiStage;
            break;
        case hid::kConnectionReport:
            n.kind = Notification::Kind::kConnection;
            n.connected = at(1) == 1;
            n.connection_detail = at(3);
            if (at(2) != 0) {
                n.battery = std::array<uint8_t, 2>{at(2), at(3)};
            }
            break;
        default:
            n.kind = Notification::Kind::kOther;
            break;
    }
    return n;
}

}  // namespace mousedeck::protocol
