#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/value_codecs.h"

namespace mousedeck::protocol {

// An unsolicited report from ReadNotification (no report id; byte 0 is the
// kind). Decoding is pure; the application controller acts on the result.
//   0xC2 DPI stage changed on the mouse: byte 1 = index << 4 | count
//   0xC0 receiver connection: byte 1 = 1 connected, else lost; bytes 2, 3
//        battery, handed on only when byte 2 is not 0
struct Notification {
    enum class Kind {
        kNone,         // byte 0 is 0: nothing was reported
        kDpiStage,     // a valid 0xC2: `stage` holds it
        kBadDpiStage,  // a 0xC2 whose stage byte no page can show (count 0 or
                       // above 6, index not below the count): to be ignored
        kConnection,   // 0xC0: `connected` and `battery`
        kOther,        // any other kind: only worth a trace
    };

    Kind kind = Kind::kNone;
    uint8_t raw_kind = 0;
    StageByte stage{};
    bool connected = false;
    std::optional<std::array<uint8_t, 2>> battery;  // bytes 2, 3 when byte 2 != 0
    uint8_t connection_detail = 0;                  // byte 3, which the trace shows

    bool operator==(const Notification&) const = default;
};

// Bytes beyond the buffer read as 0, so a short or empty buffer is kNone or
// a report with zeros.
Notification DecodeNotification(std::span<const uint8_t> report);

}  // namespace mousedeck::protocol
