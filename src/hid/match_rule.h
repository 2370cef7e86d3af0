#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mousedeck::hid {

inline constexpr int kWiredMode = 0;
inline constexpr int kDongleMode = 1;
inline constexpr int kDefaultDeviceType = 101;

// One accepted vendor/product pair, made from one catalogue mode entry.
struct MatchRule {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    int device_type = 0;      // device_type of the catalogue mouse owning the mode
    int connection_mode = 0;  // kWiredMode or kDongleMode
    std::string device_id;    // dev_id of the mode (UTF-8), compared with what the mouse reports
};

// The device id in bytes 4-7 of an identity reply as UTF-8 text: each byte is
// one character, and a byte above 0x7F is sign-extended to U+FF80..U+FFFF, so
// it never equals a letter of a catalogue dev_id. A zero byte ends the id.
std::string DeviceIdFromReply(const uint8_t* reply_bytes_4_to_7);

// The rules in catalogue order and the lookups over them.
class MatchRules {
public:
    void Clear() { rules_.clear(); }
    void Add(MatchRule rule) { rules_.push_back(std::move(rule)); }
    const std::vector<MatchRule>& All() const { return rules_; }

    bool IsSupported(uint16_t vendor_id, uint16_t product_id) const;
    // Connection mode of the first rule with this pair, else kWiredMode.
    int ModeOf(uint16_t vendor_id, uint16_t product_id) const;
    // First rule with this pair wins: a dev_id of fewer than four characters
    // gives kDefaultDeviceType whatever the mouse reported; otherwise the ids
    // must be equal, letter case included. No match gives 0.
    int ResolveType(uint16_t vendor_id, uint16_t product_id, const std::string& device_id) const;

private:
    std::vector<MatchRule> rules_;
};

}  // namespace mousedeck::hid
