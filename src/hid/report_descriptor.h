#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace mousedeck::hid {

// Length in bytes of output report `report_id` (0 for a device without report
// ids) as a HID report descriptor declares it, not counting the report-id
// byte. Nothing when the descriptor declares no such output report or cannot
// be read to the end.
std::optional<size_t> OutputReportLength(std::span<const uint8_t> descriptor, uint8_t report_id);

}  // namespace mousedeck::hid
