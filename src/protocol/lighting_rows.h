#pragma once

#include <array>
#include <vector>

#include "store/records.h"

namespace mousedeck::store {
class SettingsDatabase;
}

namespace mousedeck::protocol {

// Bits of a lighting row's config_func: which controls the page offers.
inline constexpr int kLightShowBrightness = 0x001;
inline constexpr int kLightShowSpeed = 0x002;
inline constexpr int kLightShowPalette = 0x010;
inline constexpr int kLightShowColourSlots = 0x800;

// Enabled effects as the device description gives them: [0] effect 0 (off),
// [1]..[5] effects 1..5 (DeviceDescription::light_effects).
using LightEffectSwitches = std::array<bool, 6>;

// A new row for an effect: its default name, config_func and display-name
// key, brightness 4, speed 2, direction 0, colorful 1, colorindex 0,
// status 0, colours red, green, blue, cyan, yellow, magenta, white.
//   1 "流光" 0x003 280   2 "呼吸" 0x813 281   3 "常亮" 0x011 282
//   4 "霓虹" 0x003 283   5 "七彩波浪" 0x003 284   0 "关闭" 0x000 285
// An effect outside 0..5 gets an empty name, config_func 0 and key 0.
store::LightSetting DefaultLightRow(int profile, int effect);

// The rows a new profile gets: one per enabled effect, in the order 1, 2, 3,
// 4, 5, 0 (off comes last).
std::vector<store::LightSetting> DefaultLightRows(int profile, const LightEffectSwitches& enabled);

// A profile without any lighting row gets the default rows, then effect 1 is
// made active; a profile with rows is left alone. False only when a write
// failed.
bool EnsureLightRows(store::SettingsDatabase& db, int profile, const LightEffectSwitches& enabled);

}  // namespace mousedeck::protocol
