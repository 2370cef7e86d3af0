#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "protocol/command_codes.h"
#include "store/records.h"

namespace mousedeck::protocol {

// Lighting effect codes (`mode` of a lighting row).
enum class LightEffect : int {
    kOff = 0,
    kFlowing = 1,
    kBreathing = 2,
    kSteady = 3,
    kNeon = 4,
    kColourWave = 5,
};
inline constexpr int kHighestLightEffect = 5;
inline constexpr int kMaxLightLevel = 4;  // brightness and speed run 0..4

// 0x05 set lighting, 65 bytes written, page 0x01:
//   4      payload length by effect: 0, 4, 5 -> 2; 1 -> 3; 3 -> 5; 2 -> 24;
//          any other effect -> 0 and bytes 5, 6 stay 0
//   5      effect code
//   6      brightness << 4 | speed, each bounded to 0..4
//   7      effect 1: 0; effect 3: red, green, blue of colour 1 (7..9);
//          effect 2: colour count 7, then red, green, blue of colours 1..7 (8..28)
// Direction, colourfulness and colour index stay on the computer.
OutgoingFrame BuildLightingFrame(const store::LightSetting& light);

// 0x0E restore lighting, 33 bytes written: page 0x01, length 1, byte 5 = 1.
OutgoingFrame BuildRestoreLightingFrame();

// 0x15 reply: byte 4 the effect, byte 5 brightness << 4 | speed.
struct LightingReply {
    uint8_t raw_effect = 0;
    uint8_t raw_levels = 0;
    std::optional<int> effect;      // nullopt unless 0..5
    std::optional<int> brightness;  // nullopt unless both nibbles are 0..4
    std::optional<int> speed;

    bool operator==(const LightingReply&) const = default;
};
LightingReply DecodeLightingReply(std::span<const uint8_t> reply);

}  // namespace mousedeck::protocol
