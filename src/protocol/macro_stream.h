#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "protocol/command_codes.h"
#include "store/records.h"

namespace mousedeck::protocol {

// Macro record kinds (`type` of t_macrorecord).
enum class RecordKind : int {
    kDelay = 1,     // value: milliseconds
    kKeyPress = 2,  // value: virtual-key code
    kKeyRelease = 3,
    kButtonPress = 4,  // value: button mask
    kButtonRelease = 5,
};

// Stream: byte 0 the key code of the button, then four bytes per event:
//   0     event code: 30 key press, B0 key release, 20 modifier press,
//         A0 modifier release, 10 button press, 90 button release
//   1, 2  delay after the event in ms, low byte first
//   3     key usage, modifier bit, or button mask
// The page byte holds at most 15 pages of 27 bytes, so a stream has at most
// 405 bytes: 101 events.
inline constexpr std::size_t kMacroEventSize = 4;
inline constexpr std::size_t kMaxMacroPages = 15;
inline constexpr std::size_t kMaxMacroStreamSize = kMaxMacroPages * kPayloadCapacity;
inline constexpr std::size_t kMaxMacroEvents = (kMaxMacroStreamSize - 1) / kMacroEventSize;
static_assert(kMaxMacroEvents == 101);

// Records of kinds 2..5 (the ones that become events).
std::size_t CountMacroEvents(std::span<const store::MacroRecord> records);
// True when the macro's stream fits into 15 pages.
inline bool MacroFits(std::span<const store::MacroRecord> records) {
    return CountMacroEvents(records) <= kMaxMacroEvents;
}

// The stream of a macro, records taken in record_index order. Each event gets
// the delays recorded after it: their sum, at least 1 ms between two events;
// delays after the last event are summed without a minimum; delays before the
// first event count after it. Delays are bounded to 0..65535 ms. A key with no
// usage is sent as usage 0; modifier keys become modifier events. Records of
// other kinds are skipped. A macro of delays only is the key code alone.
std::vector<uint8_t> BuildMacroStream(int key_code, std::span<const store::MacroRecord> records);

// 0x08 macro data, 33 bytes written per page:
//   3     page byte: index << 4 | count (0x01 for a single frame)
//   4     stream bytes in this page (27 except in the last page)
//   5..   the stream bytes
// Nothing for an empty stream or one of more than 405 bytes (the page byte
// cannot count its pages).
std::vector<OutgoingFrame> BuildMacroDataFrames(std::span<const uint8_t> stream);

}  // namespace mousedeck::protocol
