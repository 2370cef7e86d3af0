#include "protocol/button_slots.h"

#include <algorithm>

#include "protocol/key_usage.h"
#include "protocol/settings_frames.h"

namespace mousedeck::protocol {
namespace {

// Device function codes (slot byte 0).
constexpr uint8_t kButtonCode = 0x10;
constexpr uint8_t kWheelCode = 0x20;
constexpr uint8_t kParameterisedCode = 0x30;
constexpr uint8_t kDpiCode = 0x40;
constexpr uint8_t kSpecialCode = 0x60;
constexpr uint8_t kKeyCode = 0x70;
constexpr uint8_t kConsumerCode = 0x80;
constexpr uint8_t kMacroCode = 0x90;

constexpr uint8_t kButtonFunctionLength = 0x0F;

// Macro play-mode bits in slot byte 1, above the key code.
constexpr uint8_t kPlayModeOneBit = 0x10;  // play_type 1 (and 3)
constexpr uint8_t kPlayCountedBit = 0x20;  // play_type 0: byte 2 is the count
constexpr uint8_t kPlayModeTwoBit = 0x40;  // play_type 2

uint8_t Low(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

Slot Consumer(uint16_t usage) {
    return {kConsumerCode, Low(usage), static_cast<uint8_t>(usage >> 8)};
}

Slot MouseSlot(int value) {
    switch (value) {
        case 1:
            return {kButtonCode, 0x01, 0x00};
        case 2:
            return {kButtonCode, 0x04, 0x00};
        case 3:
            return {kButtonCode, 0x02, 0x00};
        case 4:
            return {kParameterisedCode, 50, 3};
        case 5:
            return {kButtonCode, 0x10, 0x00};
        case 6:
            return {kButtonCode, 0x08, 0x00};
        case 7:
            return {kWheelCode, 0x01, 0x00};
        case 8:
            return {kWheelCode, 0xFF, 0x00};
        case 9:
            return {kButtonCode, 0x00, 0xF5};
        case 10:
            return {kButtonCode, 0x00, 0xF6};
        default:
            return {kButtonCode, 0x00, 0x00};
    }
}

Slot KeyboardSlot(int usage, int mask) {
    if (IsModifierUsage(usage)) {
        return {kKeyCode, Low(mask | ModifierBitOf(usage)), 0x00};
    }
    return {kKeyCode, Low(mask), Low(usage)};
}

Slot MultimediaSlot(int value) {
    // Consumer page usages: configuration, play/pause, stop, previous,
    // next, volume up, volume down, mute.
    static constexpr std::array<uint16_t, 8> kUsages = {0x0183, 0x00CD, 0x00B7, 0x00B6,
                                                        0x00B5, 0x00E9, 0x00EA, 0x00E2};
    if (value >= 1 && value <= 8) {
        return Consumer(kUsages[static_cast<std::size_t>(value - 1)]);
    }
    return {kConsumerCode, 0x00, 0x00};
}

Slot DpiSlot(int value) {
    switch (value) {
        case 1:
            return {kDpiCode, 0x02, 0x00};
        case 2:
            return {kDpiCode, 0x03, 0x00};
        case 3:
            return {kDpiCode, 0x01, 0x00};
        default:
            return {kDpiCode, 0x00, 0x00};
    }
}

Slot ShortcutSlot(int value) {
    // 1..6 consumer usages: brightness up, brightness down, calculator,
    // file browser, browser home, mail.
    static constexpr std::array<uint16_t, 6> kUsages = {0x006F, 0x0070, 0x0192, 0x0194, 0x0223, 0x018A};
    // 7..11 key chords: GUI+D, GUI+Tab, Ctrl+C, Ctrl+V, Ctrl+X.
    static constexpr std::array<Slot, 5> kChords = {{
        {kKeyCode, 0x08, 0x07},
        {kKeyCode, 0x08, 0x2B},
        {kKeyCode, 0x01, 0x06},
        {kKeyCode, 0x01, 0x19},
        {kKeyCode, 0x01, 0x1B},
    }};
    if (value >= 1 && value <= 6) {
        return Consumer(kUsages[static_cast<std::size_t>(value - 1)]);
    }
    if (value >= 7 && value <= 11) {
        return kChords[static_cast<std::size_t>(value - 7)];
    }
    return {kConsumerCode, 0x00, 0x00};
}

}  // namespace

SlotTable DefaultSlotTable() {
    SlotTable table{};
    table[0] = {kButtonCode, 0x01, 0x00};
    table[1] = {kButtonCode, 0x02, 0x00};
    table[2] = {kButtonCode, 0x04, 0x00};
    table[3] = {kButtonCode, 0x08, 0x00};
    table[4] = {kButtonCode, 0x10, 0x00};
    table[5] = {kDpiCode, 0x01, 0x00};
    return table;
}

Slot MacroSlot(int key_code, const store::MacroEntry& macro) {
    const uint8_t key = Low(key_code);
    switch (macro.play_type) {
        case 1:
        case 3:
            return {kMacroCode, static_cast<uint8_t>(key | kPlayModeOneBit), 0x00};
        case 2:
            return {kMacroCode, static_cast<uint8_t>(key | kPlayModeTwoBit), 0x00};
        default:
            if (macro.play_times >= 1) {
                // The count byte saturates: 999 repeats play 255 times, not 231.
                return {kMacroCode, static_cast<uint8_t>(key | kPlayCountedBit),
                        static_cast<uint8_t>(std::min(macro.play_times, 255))};
            }
            return {kMacroCode, key, 0x00};
    }
}

std::optional<Slot> EncodeBinding(const store::ButtonBinding& binding, const store::MacroEntry* macro) {
    const int value = binding.macro_value;
    switch (static_cast<Family>(binding.macro_type)) {
        case Family::kMouse:
            return MouseSlot(value);
        case Family::kKeyboard:
            return KeyboardSlot(value, binding.macro_value2);
        case Family::kMultimedia:
            return MultimediaSlot(value);
        case Family::kMacro:
            if (macro == nullptr) {
                return std::nullopt;
            }
            return MacroSlot(binding.key_code, *macro);
        case Family::kDpi:
            return DpiSlot(value);
        case Family::kSpecial:
            if (value == 1) {
                return Slot{kSpecialCode, 0x04, 0x00};
            }
            if (value == 2) {
                return Slot{kSpecialCode, 0x01, 0x00};
            }
            return std::nullopt;
        case Family::kParameterised:
            return Slot{kParameterisedCode, Low(value), Low(binding.macro_value2)};
        case Family::kShortcut:
            return ShortcutSlot(value);
        case Family::kDisabled:
            return Slot{kSpecialCode, 0x00, 0x00};
    }
    return std::nullopt;
}

SlotTable ComposeSlotTable(std::span<const store::ButtonBinding> bindings,
                           std::span<const store::MacroEntry> macros) {
    SlotTable table = DefaultSlotTable();
    for (const auto& binding : bindings) {
        if (binding.fn_layer != 0 || binding.key_code < 0 || binding.key_code > kHighestKeyCode) {
            continue;
        }
        const store::MacroEntry* macro = nullptr;
        if (binding.macro_type == static_cast<int>(Family::kMacro)) {
            const auto it = std::ranges::find(macros, binding.macro_value, &store::MacroEntry::macro_id);
            macro = it == macros.end() ? nullptr : &*it;
        }
        if (const auto slot = EncodeBinding(binding, macro)) {
            table[static_cast<std::size_t>(binding.key_code)] = *slot;
        }
    }
    return table;
}

OutgoingFrame BuildButtonFunctionFrame(const SlotTable& slots) {
    OutgoingFrame out =
        StartSetFrame(Command::kButtonFunction, kButtonFunctionLength, hid::CommandFrame::kShortLength);
    for (std::size_t k = 0; k < kSentSlots; ++k) {
        std::ranges::copy(slots[k],
                          out.frame.bytes.begin() + static_cast<std::ptrdiff_t>(kPayloadStart + 3 * k));
    }
    FinishFrame(out);
    return out;
}

}  // namespace mousedeck::protocol
