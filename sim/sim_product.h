#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mousedeck::sim {

// Which usage pair the command collection reports. Both occur in shipped
// products; the host accepts either.
enum class CommandUsage {
    kVendor,          // usage page 0xFF01, usage 0x0010
    kGenericDesktop,  // usage page 0x0001, usage 0x0000
};

// One way the mouse reaches the computer: the cable (mode 0) or the
// 2.4 GHz receiver (mode 1), each with its own USB identifiers.
struct SimMode {
    int mode = 0;  // 0 = wired, 1 = dongle
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    CommandUsage command_usage = CommandUsage::kVendor;
};

// What the mouse holds when it leaves the factory; a factory reset (0x0F)
// brings these back, a lighting restore (0x0E) the lighting part.
struct FactorySettings {
    uint8_t report_rate = 1;  // 1 = 1000 Hz
    uint8_t stage_count = 6;
    uint8_t stage_index = 1;  // 0-based
    std::array<int, 6> stage_dpi = {400, 800, 1600, 3200, 6400, 12800};
    std::array<uint32_t, 6> stage_colour = {0x0000FF, 0x00FF00, 0xFF0000,
                                            0xFFFF00, 0x00FFFF, 0xFF00FF};  // 0x00BBGGRR
    uint8_t liftoff = 1;                                                    // 1 or 2
    std::array<uint8_t, 2> sensor_options = {0, 0};  // sensor payload bytes 2, 3: 1 = on
    uint8_t sleep_time = 30;                         // units of 10 s
    uint8_t move_wakeup = 1;
    uint8_t move_closelight = 1;
    uint8_t debounce_ms = 4;
    uint8_t light_effect = 1;      // 1 = flowing
    uint8_t light_brightness = 4;  // 0..4
    uint8_t light_speed = 2;       // 0..4
};

// One product as the caller describes it: the identifiers of a catalogue
// entry plus what the mouse itself answers. Plain data, so the simulator does
// not depend on the catalogue reader.
struct SimProduct {
    std::string name = "Simulated mouse";
    int device_type = 101;
    std::string device_id = "SM01";       // four characters, identity reply bytes 4..7
    std::vector<SimMode> modes;           // at most one per connection mode
    uint8_t sensor_code = 0;              // identity byte 10
    uint8_t highest_rate = 0;             // identity byte 11: 0x10, 0x20, 0x40 or 0 (1000 Hz)
    uint16_t firmware = 0x0105;           // release of the wired interface; 0x20 answers major, minor
    uint16_t receiver_firmware = 0x0102;  // release of the receiver interfaces
    std::array<uint8_t, 2> battery = {0x00, 0x64};  // identity bytes 12, 13
    FactorySettings factory;

    const SimMode* ModeOf(int mode) const;
};

// A wired-and-wireless product with made-up identifiers, the default device
// of --simulate when no catalogue entry is named.
SimProduct DefaultProduct();

// The DPI code the mouse's sensor firmware uses for a DPI value (16 bits,
// sent little-endian); used to lay out the factory stages.
uint16_t EncodeDpi(uint8_t sensor_code, int dpi);

}  // namespace mousedeck::sim
