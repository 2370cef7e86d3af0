#include "protocol/profile_settings.h"

#include "shell/lenient_number.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::protocol {

int LoadConfigInt(store::SettingsDatabase& db, int profile, std::string_view key) {
    const auto text = db.GetConfigValue(profile, key);
    return text ? shell::ParseLenientInt(*text) : 0;
}

DpiStageSettings LoadDpiStageSettings(store::SettingsDatabase& db, int profile) {
    DpiStageSettings stages;
    stages.count = LoadConfigInt(db, profile, store::config_key::kDpiCount);
    stages.index = LoadConfigInt(db, profile, store::config_key::kDpiIndex);
    for (std::size_t k = 0; k < stages.values.size(); ++k) {
        stages.values[k] = LoadConfigInt(db, profile, store::DpiValueKey(static_cast<int>(k)));
    }
    return stages;
}

DpiColours LoadDpiColours(store::SettingsDatabase& db, int profile) {
    DpiColours colours{};
    for (std::size_t k = 0; k < colours.size(); ++k) {
        colours[k] = LoadConfigInt(db, profile, store::DpiColourKey(static_cast<int>(k)));
    }
    return colours;
}

LiftSensorSettings LoadLiftSensorSettings(store::SettingsDatabase& db, int profile) {
    return LiftSensorSettings{LoadConfigInt(db, profile, store::config_key::kLiftoffHeight),
                              LoadConfigInt(db, profile, store::config_key::kSensorFlag)};
}

PowerSettings LoadPowerSettings(store::SettingsDatabase& db, int profile) {
    return PowerSettings{LoadConfigInt(db, profile, store::config_key::kSleepLight),
                         LoadConfigInt(db, profile, store::config_key::kMoveWakeup),
                         LoadConfigInt(db, profile, store::config_key::kMoveCloseLight),
                         LoadConfigInt(db, profile, store::config_key::kButtonRespondTime)};
}

bool StoreConfigRows(store::SettingsDatabase& db, int profile, std::span<const store::ConfigRow> rows) {
    bool ok = true;
    for (const auto& row : rows) {
        ok = db.SetConfigValue(profile, row.key, row.value) && ok;
    }
    return ok;
}

}  // namespace mousedeck::protocol
