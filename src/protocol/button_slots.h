#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/command_codes.h"
#include "store/records.h"

namespace mousedeck::protocol {

// Function families of a binding (`macro_type`).
enum class Family : int {
    kMouse = 1,          // value 1..10
    kKeyboard = 2,       // value: HID usage (0: modifiers only); value2: modifier mask
    kMultimedia = 3,     // value 1..8
    kMacro = 4,          // value: macro_id
    kDpi = 5,            // value 1..3
    kSpecial = 6,        // value 1..6
    kParameterised = 7,  // value: parameter A, value2: parameter B
    kShortcut = 8,       // value 1..11
    kDisabled = 9,
};

// Three bytes per button: device function code, then two argument bytes.
using Slot = std::array<uint8_t, 3>;

// Buttons have key codes 0..20; only 0..8 fit into the button-function frame.
inline constexpr int kHighestKeyCode = 20;
inline constexpr std::size_t kSlotCount = kHighestKeyCode + 1;
inline constexpr std::size_t kSentSlots = 9;
using SlotTable = std::array<Slot, kSlotCount>;
static_assert(kSentSlots * 3 == kPayloadCapacity, "nine slots fill payload bytes 5..31");

// Before bindings apply: 0 primary 10 01 00, 1 secondary 10 02 00, 2 middle
// 10 04 00, 3 backward 10 08 00, 4 forward 10 10 00, 5 DPI cycle 40 01 00,
// 6..20 empty. The mouse's own defaults, not the description's.
SlotTable DefaultSlotTable();

// The slot of a binding; nothing when the slot keeps what it had: a macro
// binding whose macro is not given, a family this mouse has no code for,
// and special functions other than 1 and 2 (3..6 have no device code).
// `macro` is the macro whose id the binding names, if it can be sent.
//   1 mouse         10 mask 00 for buttons (1: 01, 2: 04, 3: 02, 5: 10, 6: 08),
//                   4: 30 32 03, 7: 20 01 00 (wheel +1), 8: 20 FF 00 (wheel -1),
//                   9: 10 00 F5, 10: 10 00 F6, other: 10 00 00
//   2 keyboard      70 mask usage; a modifier usage (E0..E7) goes into the
//                   mask instead: 70 mask|bit 00
//   3 multimedia    80 consumer-usage low high, other: 80 00 00
//   4 macro         90 key|mode count (MacroSlot)
//   5 DPI           1: 40 02 00 (up), 2: 40 03 00 (down), 3: 40 01 00 (cycle), other: 40 00 00
//   6 special       1: 60 04 00, 2: 60 01 00
//   7 parameterised 30 A B (low bytes)
//   8 shortcut      1..6: 80 consumer usage low high; 7..11: 70 mask usage; other 80 00 00
//   9 disabled      60 00 00
std::optional<Slot> EncodeBinding(const store::ButtonBinding& binding, const store::MacroEntry* macro);

// 90, then the key code with the play mode's bits, then the count:
//   play_type 1 or 3: key | 0x10, 0      play_type 2: key | 0x40, 0
//   other play_type with play_times >= 1: key | 0x20, play_times (at most 255)
//   otherwise: key, 0
Slot MacroSlot(int key_code, const store::MacroEntry& macro);

// Defaults, then each binding of layer 0 in the order given, into the slot of
// its key code. Key codes outside 0..20 have no slot and are ignored. A macro
// binding takes its macro from `macros` by id; a macro missing there keeps
// the slot as it was.
SlotTable ComposeSlotTable(std::span<const store::ButtonBinding> bindings,
                           std::span<const store::MacroEntry> macros);

// 0x09 button function, 33 bytes written, page 0x01, payload length 0x0F:
//   5..31  slots of key codes 0..8
OutgoingFrame BuildButtonFunctionFrame(const SlotTable& slots);

}  // namespace mousedeck::protocol
