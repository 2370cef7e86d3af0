#include "pages/buttons/key_tables.h"

#include <array>
#include <cstdint>

#include "pages/buttons/modifier_bits_table.h"
#include "pages/buttons/usage_table.h"

namespace mousedeck::pages::buttons {
namespace {

// Usages are one byte; both directions are flat arrays built at compile time.
using UsageByCode = std::array<std::uint8_t, kMaxKeyCode + 1>;
using CodeByUsage = std::array<std::uint16_t, 256>;

constexpr UsageByCode BuildUsageByCode() {
    UsageByCode table{};
    for (const UsageRange& range : kUsageRanges) {
        for (int code = range.first_code; code <= range.last_code; ++code) {
            table[static_cast<std::size_t>(code)] =
                static_cast<std::uint8_t>(range.first_usage + (code - range.first_code));
        }
    }
    return table;
}

constexpr CodeByUsage BuildCodeByUsage() {
    CodeByUsage table{};
    for (const UsageRange& range : kUsageRanges) {
        for (int code = range.first_code; code <= range.last_code; ++code) {
            table[static_cast<std::size_t>(range.first_usage + (code - range.first_code))] =
                static_cast<std::uint16_t>(code);
        }
    }
    return table;
}

// Every code and every usage appears at most once, codes are in 1..666 and
// usages in 1..255, so the two arrays are exact inverses.
constexpr bool RangesAreOneToOne() {
    std::array<bool, kMaxKeyCode + 1> code_seen{};
    std::array<bool, 256> usage_seen{};
    for (const UsageRange& range : kUsageRanges) {
        if (range.first_code < 1 || range.last_code > kMaxKeyCode || range.last_code < range.first_code) {
            return false;
        }
        for (int code = range.first_code; code <= range.last_code; ++code) {
            const int usage = range.first_usage + (code - range.first_code);
            if (usage < 1 || usage > 255 || code_seen[static_cast<std::size_t>(code)] ||
                usage_seen[static_cast<std::size_t>(usage)]) {
                return false;
            }
            code_seen[static_cast<std::size_t>(code)] = true;
            usage_seen[static_cast<std::size_t>(usage)] = true;
        }
    }
    return true;
}
static_assert(RangesAreOneToOne(), "kUsageRanges must map each code and each usage once");

constexpr UsageByCode kUsageByCode = BuildUsageByCode();
constexpr CodeByUsage kCodeByUsage = BuildCodeByUsage();

}  // namespace

int UsageOf(int key_code) {
    if (key_code < 0 || key_code > kMaxKeyCode) {
        return 0;
    }
    return kUsageByCode[static_cast<std::size_t>(key_code)];
}

int ModifierBitOf(int code) {
    for (const ModifierKey& key : kModifierKeys) {
        if (code == key.virtual_key || code == key.usage) {
            return key.bit;
        }
    }
    return code;
}

bool IsModifierKey(int virtual_key) {
    for (const ModifierKey& key : kModifierKeys) {
        if (virtual_key == key.virtual_key) {
            return true;
        }
    }
    return false;
}

int KeyCodeOfUsage(int usage) {
    if (usage < 0 || usage > 255) {
        return 0;
    }
    return kCodeByUsage[static_cast<std::size_t>(usage)];
}

}  // namespace mousedeck::pages::buttons
