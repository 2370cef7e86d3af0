#pragma once

#include <span>
#include <string_view>

#include "protocol/settings_frames.h"
#include "store/records.h"

namespace mousedeck::store {
class SettingsDatabase;
}

namespace mousedeck::protocol {

// Loads a profile's configuration keys into the typed values the frame
// builders take, at the moment of sending. A key without a row, and text
// that is not a number, read as 0 (leading digits count: "12ab" is 12).

int LoadConfigInt(store::SettingsDatabase& db, int profile, std::string_view key);

// `dpi_count`, `dpi_index`, `dpi_group0_value` .. `dpi_group5_value`.
DpiStageSettings LoadDpiStageSettings(store::SettingsDatabase& db, int profile);
// `dpi_group0_rgb` .. `dpi_group5_rgb`.
DpiColours LoadDpiColours(store::SettingsDatabase& db, int profile);
// `liftoff_height`, `sensor_flag`.
LiftSensorSettings LoadLiftSensorSettings(store::SettingsDatabase& db, int profile);
// `sleep_light`, `move_wakeup`, `move_closelight`, `button_respondtime`.
PowerSettings LoadPowerSettings(store::SettingsDatabase& db, int profile);

// Writes each row into the profile's keys; true when every write succeeded.
bool StoreConfigRows(store::SettingsDatabase& db, int profile, std::span<const store::ConfigRow> rows);

}  // namespace mousedeck::protocol
