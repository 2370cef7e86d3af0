#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Family 3, Multimedia: the device sends a usage of the HID Consumer page (0x0C).
struct MultimediaFunction {
    int value;
    int text;  // caption and shown description
    int consumer_usage;
    std::string_view word;
};

inline constexpr auto kMultimediaFunctions = std::to_array<MultimediaFunction>({
    {1, 120, 0x0183, "player"},       // AL Consumer Control Configuration
    {2, 121, 0x00CD, "play-pause"},   // Play/Pause
    {3, 124, 0x00B7, "stop"},         // Stop
    {4, 122, 0x00B6, "previous"},     // Scan Previous Track
    {5, 123, 0x00B5, "next"},         // Scan Next Track
    {6, 117, 0x00E9, "volume-up"},    // Volume Increment
    {7, 118, 0x00EA, "volume-down"},  // Volume Decrement
    {8, 119, 0x00E2, "mute"},         // Mute
});

// The values the button page's Multimedia list offers, in list order.
inline constexpr std::array<int, 8> kMultimediaList{6, 7, 8, 1, 2, 4, 5, 3};

}  // namespace mousedeck::pages::buttons
