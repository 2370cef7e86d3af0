#pragma once

#include <span>
#include <string>
#include <string_view>

#include "devices/device_defaults.h"
#include "store/records.h"

namespace mousedeck::store {

class SettingsDatabase;

// Configuration key names of t_configdata. Values are decimal text.
namespace config_key {
inline constexpr std::string_view kSleepLight = "sleep_light";          // units of 10 s
inline constexpr std::string_view kMoveWakeup = "move_wakeup";          // 1: movement wakes the mouse
inline constexpr std::string_view kMoveCloseLight = "move_closelight";  // 1: light off while moving
inline constexpr std::string_view kReportRate = "report_rate";          // report-rate code, 1 = 1000 Hz
inline constexpr std::string_view kReportRateWireless = "report_rate_wireless";
inline constexpr std::string_view kButtonRespondTime = "button_respondtime";  // debounce, 0..20
inline constexpr std::string_view kSensorFlag = "sensor_flag";                // bits 4, 8, 16
inline constexpr std::string_view kLiftoffHeight = "liftoff_height";          // 1: 1.0 mm, 2: 2.0 mm
inline constexpr std::string_view kScrollFlag = "scroll_flag";
inline constexpr std::string_view kESportsFlag = "e-sports_flag";
inline constexpr std::string_view kDpiFlag = "dpi_flag";    // copy of the stage count
inline constexpr std::string_view kDpiIndex = "dpi_index";  // active stage, 0-based
inline constexpr std::string_view kDpiCount = "dpi_count";
inline constexpr std::string_view kMouseSpeed = "mouse_speed";
inline constexpr std::string_view kMouseSensitivity = "mouse_sensitivity";
inline constexpr std::string_view kWheelScrollFlag = "wheel_scrollflag";
inline constexpr std::string_view kWheelScrollLines = "wheel_scrolllines";
inline constexpr std::string_view kDoubleClickTime = "doubleclick_time";
}  // namespace config_key

// "dpi_group<stage>_value" and "dpi_group<stage>_rgb" (colour 0x00BBGGRR) for
// stage 0 .. 8.
std::string DpiValueKey(int stage);
std::string DpiColourKey(int stage);

// The seed rows every new profile receives, in key-table order, each key
// once. Hand them to SettingsDatabase::AddProfile.
std::span<const ConfigRow> DefaultConfigRows();

enum class DefaultsScope {
    kAll,      // DPI stages, report rate, power and lift-off values
    kDpiOnly,  // dpi_index, dpi_count, dpi_flag and the six stages
};

// Copies a product's defaults into `profile`. Only keys whose element the
// description has are written: dpi_info sets dpi_index, dpi_count and
// dpi_flag, each present dpi_n its stage's value (text as written) and colour
// (converted to decimal 0x00BBGGRR); then report_rate (not
// report_rate_wireless), sleep_light, move_wakeup, move_closelight and lod
// (as liftoff_height). Keys without a row stay absent. True when every write
// succeeded.
bool ApplyDeviceDefaults(SettingsDatabase& db, int profile, const devices::DeviceDefaults& defaults,
                         DefaultsScope scope);

// The same, read from the description file at `description_path`
// (devices::DescriptionPath). False, with nothing changed, when the file is
// missing or not well-formed.
bool ApplyDeviceDefaults(SettingsDatabase& db, int profile, const std::string& description_path,
                         DefaultsScope scope);

}  // namespace mousedeck::store
