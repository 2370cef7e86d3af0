#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mousedeck::hid {

// One input report as a read delivered it (no leading zero report id).
struct InputReport {
    std::array<uint8_t, 65> bytes{};
    size_t size = 0;
};

}  // namespace mousedeck::hid
