#include "hid/match_rule.h"

#include <algorithm>

namespace mousedeck::hid {

namespace {

bool SamePair(const MatchRule& rule, uint16_t vendor_id, uint16_t product_id) {
    return rule.vendor_id == vendor_id && rule.product_id == product_id;
}

size_t CharacterCount(const std::string& utf8) {
    return static_cast<size_t>(
        std::ranges::count_if(utf8, [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::string DeviceIdFromReply(const uint8_t* reply_bytes_4_to_7) {
    std::string id;
    for (int i = 0; i < 4; ++i) {
        const uint8_t b = reply_bytes_4_to_7[i];
        if (b == 0) {
            break;  // a zero byte ends the text, as in any character string
        }
        if (b < 0x80) {
            id += static_cast<char>(b);
        } else {
            const uint32_t cp = 0xFF00u | b;  // sign extension of a 16-bit character
            id += static_cast<char>(0xE0 | (cp >> 12));
            id += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            id += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return id;
}

bool MatchRules::IsSupported(uint16_t vendor_id, uint16_t product_id) const {
    return std::ranges::any_of(rules_, [&](const MatchRule& r) { return SamePair(r, vendor_id, product_id); });
}

int MatchRules::ModeOf(uint16_t vendor_id, uint16_t product_id) const {
    const auto it =
        std::ranges::find_if(rules_, [&](const MatchRule& r) { return SamePair(r, vendor_id, product_id); });
    return it == rules_.end() ? kWiredMode : it->connection_mode;
}

int MatchRules::ResolveType(uint16_t vendor_id, uint16_t product_id, const std::string& device_id) const {
    for (const MatchRule& rule : rules_) {
        if (!SamePair(rule, vendor_id, product_id)) {
            continue;
        }
        if (CharacterCount(rule.device_id) < 4) {
            return kDefaultDeviceType;
        }
        if (rule.device_id == device_id) {
            return rule.device_type;
        }
    }
    return 0;
}

}  // namespace mousedeck::hid
