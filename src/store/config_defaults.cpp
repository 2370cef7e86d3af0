#include "store/config_defaults.h"

#include <array>
#include <optional>
#include <string>

#include "devices/colour_text.h"
#include "store/settings_database.h"

namespace mousedeck::store {
namespace {

const std::array<ConfigRow, 39>& DefaultRows() {
    static const std::array<ConfigRow, 39> rows = {{
        {"version", "1.0.1"},
        {"sleep_light", "30"},
        {"move_wakeup", "1"},
        {"move_closelight", "1"},
        {"report_rate", "2"},
        {"report_rate_wireless", "1"},
        {"report_count", "4"},
        {"report_flag", "127"},
        {"button_respondtime", "8"},
        {"sensor_flag", "53"},
        {"liftoff_height", "1"},
        {"scroll_flag", "1"},
        {"e-sports_flag", "0"},
        {"leftbtn_lock", "1"},
        {"dpi_flag", "6"},
        {"dpi_index", "1"},
        {"dpi_count", "6"},
        {"dpi_group0_value", "800"},
        {"dpi_group1_value", "1600"},
        {"dpi_group2_value", "2400"},
        {"dpi_group3_value", "3200"},
        {"dpi_group4_value", "6400"},
        {"dpi_group5_value", "26000"},
        {"dpi_group6_value", "26000"},
        {"dpi_group7_value", "0"},
        {"dpi_group0_rgb", "255"},       // red
        {"dpi_group1_rgb", "16711680"},  // blue
        {"dpi_group2_rgb", "65280"},     // green
        {"dpi_group3_rgb", "65535"},     // yellow
        {"dpi_group4_rgb", "16711935"},  // magenta
        {"dpi_group5_rgb", "16776960"},  // cyan
        {"dpi_group6_rgb", "16712191"},  // 0xFF01FF
        {"dpi_group7_rgb", "16777215"},  // white
        {"dpi_group8_rgb", "2139135"},   // 0x20A3FF
        {"mouse_speed", "10"},
        {"mouse_sensitivity", "1"},
        {"wheel_scrollflag", "0"},
        {"wheel_scrolllines", "3"},
        {"doubleclick_time", "550"},
    }};
    return rows;
}

bool ApplyDpi(SettingsDatabase& db, int profile, const devices::DpiDefaults& dpi) {
    bool ok = db.SetConfigValue(profile, config_key::kDpiIndex, dpi.default_dpi);
    ok = db.SetConfigValue(profile, config_key::kDpiFlag, dpi.dpi_count) && ok;
    ok = db.SetConfigValue(profile, config_key::kDpiCount, dpi.dpi_count) && ok;
    for (int stage = 0; stage < static_cast<int>(dpi.stages.size()); ++stage) {
        const auto& defaults = dpi.stages[static_cast<std::size_t>(stage)];
        if (!defaults) {
            continue;
        }
        ok = db.SetConfigValue(profile, DpiValueKey(stage), defaults->value) && ok;
        const uint32_t colour = devices::ParseColourText(defaults->color);
        ok = db.SetConfigValue(profile, DpiColourKey(stage), std::to_string(colour)) && ok;
    }
    return ok;
}

bool ApplyIfPresent(SettingsDatabase& db, int profile, std::string_view key,
                    const std::optional<std::string>& value) {
    return !value || db.SetConfigValue(profile, key, *value);
}

}  // namespace

std::string DpiValueKey(int stage) {
    return "dpi_group" + std::to_string(stage) + "_value";
}

std::string DpiColourKey(int stage) {
    return "dpi_group" + std::to_string(stage) + "_rgb";
}

std::span<const ConfigRow> DefaultConfigRows() {
    return DefaultRows();
}

bool ApplyDeviceDefaults(SettingsDatabase& db, int profile, const devices::DeviceDefaults& defaults,
                         DefaultsScope scope) {
    bool ok = true;
    if (defaults.dpi) {
        ok = ApplyDpi(db, profile, *defaults.dpi);
    }
    if (scope == DefaultsScope::kDpiOnly) {
        return ok;
    }
    ok = ApplyIfPresent(db, profile, config_key::kReportRate, defaults.report_rate) && ok;
    ok = ApplyIfPresent(db, profile, config_key::kSleepLight, defaults.sleep_light) && ok;
    ok = ApplyIfPresent(db, profile, config_key::kMoveWakeup, defaults.move_wakeup) && ok;
    ok = ApplyIfPresent(db, profile, config_key::kMoveCloseLight, defaults.move_closelight) && ok;
    ok = ApplyIfPresent(db, profile, config_key::kLiftoffHeight, defaults.lod) && ok;
    return ok;
}

bool ApplyDeviceDefaults(SettingsDatabase& db, int profile, const std::string& description_path,
                         DefaultsScope scope) {
    const std::optional<devices::DeviceDefaults> defaults = devices::LoadDeviceDefaults(description_path);
    return defaults && ApplyDeviceDefaults(db, profile, *defaults, scope);
}

}  // namespace mousedeck::store
