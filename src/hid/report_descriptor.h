#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mousedeck::hid {

// Length in bytes of output report `report_id` (0 for a device without report
// ids) as a HID report descriptor declares it, not counting the report-id
// byte. Nothing when the descriptor declares no such output report or cannot
// be read to the end.
std::optional<size_t> OutputReportLength(std::span<const uint8_t> descriptor, uint8_t report_id);

// Usage page and usage of one top-level collection.
struct UsagePair {
    uint16_t usage_page = 0;
    uint16_t usage = 0;

    bool operator==(const UsagePair&) const = default;
};

// The usage pair of every top-level collection a HID report descriptor
// declares, in order. A collection's pair is the usage page and the last
// usage given before it opens (an extended 4-byte usage carries its own page
// in the high half). A collection opened with no usage is left out. Reading
// stops at the first item that runs past the end; what was found before it is
// kept.
std::vector<UsagePair> TopLevelUsages(std::span<const uint8_t> descriptor);

}  // namespace mousedeck::hid
