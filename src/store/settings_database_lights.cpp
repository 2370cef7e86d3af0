// Lighting rows of SettingsDatabase.
#include "store/settings_database.h"
#include "store/statement_runner.h"

namespace mousedeck::store {
namespace {

// t_light_data columns: light_id, profile, name, mode, brightness, speed,
// direction, colorful, colorindex, color_value1..7, config_func, reserved, status.
LightSetting ReadLight(const SQLiteStatement& row) {
    LightSetting light;
    light.light_id = row.ColumnInt(0);
    light.profile = row.ColumnInt(1);
    light.name = row.ColumnText(2);
    light.mode = row.ColumnInt(3);
    light.brightness = row.ColumnInt(4);
    light.speed = row.ColumnInt(5);
    light.direction = row.ColumnInt(6);
    light.colorful = row.ColumnInt(7);
    light.colorindex = row.ColumnInt(8);
    for (size_t i = 0; i < light.color_values.size(); ++i) {
        light.color_values[i] = row.ColumnInt(9 + static_cast<int>(i));
    }
    light.config_func = row.ColumnInt(16);
    light.reserved = row.ColumnInt(17);
    light.status = row.ColumnInt(18);
    return light;
}

}  // namespace

int SettingsDatabase::CountLightRows(int profile) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "select count(*) FROM t_light_data WHERE profile = ?", ReadFirstInt, profile)
        .value_or(0);
}

int SettingsDatabase::AddLightRow(const LightSetting& light) {
    const auto& colors = light.color_values;
    std::lock_guard guard(lock_);
    return RunInsert(connection_,
                     "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
                     "colorindex, color_value1, color_value2, color_value3, color_value4, color_value5, "
                     "color_value6, color_value7, config_func, reserved, status) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                     light.profile, light.name, light.mode, light.brightness, light.speed, light.direction,
                     light.colorful, light.colorindex, colors[0], colors[1], colors[2], colors[3], colors[4],
                     colors[5], colors[6], light.config_func, light.reserved, light.status);
}

bool SettingsDatabase::UpdateLightRow(const LightSetting& light, int mode) {
    const auto& colors = light.color_values;
    std::lock_guard guard(lock_);
    return RunWrite(connection_,
                    "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
                    "colorindex = ?, color_value1 = ?, color_value2 = ?, color_value3 = ?, "
                    "color_value4 = ?, color_value5 = ?, color_value6 = ?, color_value7 = ?, "
                    "config_func = ?, reserved = ? WHERE profile = ? AND mode = ?",
                    light.brightness, light.speed, light.direction, light.colorful, light.colorindex,
                    colors[0], colors[1], colors[2], colors[3], colors[4], colors[5], colors[6],
                    light.config_func, light.reserved, light.profile, mode);
}

bool SettingsDatabase::SetActiveLight(int profile, int mode) {
    std::lock_guard guard(lock_);
    RunWrite(connection_, "UPDATE t_light_data SET status = ? WHERE profile = ?", 0, profile);
    return RunWrite(connection_, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", 1,
                    profile, mode);
}

int SettingsDatabase::GetActiveLightMode(int profile) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?",
                    ReadFirstInt, profile, 1)
        .value_or(0);
}

std::optional<LightSetting> SettingsDatabase::GetLightRow(int profile, int mode) {
    std::lock_guard guard(lock_);
    return QueryOne(connection_, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", ReadLight,
                    profile, mode);
}

std::vector<LightSetting> SettingsDatabase::ListLightRows(int profile) {
    std::lock_guard guard(lock_);
    return QueryList(connection_, "SELECT * FROM t_light_data WHERE profile = ?", ReadLight, profile);
}

}  // namespace mousedeck::store
