#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "pages/performance/normalised.h"

namespace mousedeck::pages::performance {

// Lift-off distance, `liftoff_height`: 1 (1.0 mm) or 2 (2.0 mm).
// Accepts "1" or "2", also written "1.0", "2mm" or "2.0mm".
Normalised<int> ParseLiftOff(std::string_view word);
// The distance the page shows for the stored text: 2 only for exactly "2"
// ("2.0" shows as 1.0 mm, as the radio buttons read it).
int ShownLiftOff(std::string_view stored);

// The three sensor options in page order (language texts 515, 516, 517),
// stored as the bits 4, 8 and 16 of `sensor_flag`. Only 4 and 8 reach the
// mouse; 16 stays in the database and in profile files.
inline constexpr std::array<int, 3> kSensorOptionTexts = {515, 516, 517};
using SensorOptions = std::array<bool, 3>;

int SensorFlagOf(const SensorOptions& options);
// Other bits of a stored value are not shown.
SensorOptions SensorOptionsOf(int flags);
// Three words on|off in page order: the `sensor_flag` value.
Normalised<int> ParseSensorOptions(std::span<const std::string> words);

}  // namespace mousedeck::pages::performance
