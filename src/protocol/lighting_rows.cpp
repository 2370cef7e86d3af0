#include "protocol/lighting_rows.h"

#include <string_view>
#include <vector>

#include "store/settings_database.h"

namespace mousedeck::protocol {
namespace {

struct EffectRow {
    int effect;
    std::string_view name;
    int config_func;
    int name_key;
};

// In the order new rows are inserted.
constexpr std::array<EffectRow, 6> kEffects = {{
    {1, "流光", kLightShowBrightness | kLightShowSpeed, 280},
    {2, "呼吸", kLightShowBrightness | kLightShowSpeed | kLightShowPalette | kLightShowColourSlots, 281},
    {3, "常亮", kLightShowBrightness | kLightShowPalette, 282},
    {4, "霓虹", kLightShowBrightness | kLightShowSpeed, 283},
    {5, "七彩波浪", kLightShowBrightness | kLightShowSpeed, 284},
    {0, "关闭", 0, 285},
}};

// 0x00BBGGRR: red, green, blue, cyan, yellow, magenta, white.
constexpr std::array<int, 7> kDefaultColours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                                0x00FFFF, 0xFF00FF, 0xFFFFFF};

constexpr int kFirstActiveEffect = 1;

}  // namespace

store::LightSetting DefaultLightRow(int profile, int effect) {
    store::LightSetting row;
    row.profile = profile;
    row.mode = effect;
    row.brightness = 4;
    row.speed = 2;
    row.direction = 0;
    row.colorful = 1;
    row.colorindex = 0;
    row.color_values = kDefaultColours;
    row.status = 0;
    for (const auto& e : kEffects) {
        if (e.effect == effect) {
            row.name = std::string(e.name);
            row.config_func = e.config_func;
            row.reserved = e.name_key;
        }
    }
    return row;
}

std::vector<store::LightSetting> DefaultLightRows(int profile, const LightEffectSwitches& enabled) {
    std::vector<store::LightSetting> rows;
    for (const auto& e : kEffects) {
        if (enabled[static_cast<std::size_t>(e.effect)]) {
            rows.push_back(DefaultLightRow(profile, e.effect));
        }
    }
    return rows;
}

bool EnsureLightRows(store::SettingsDatabase& db, int profile, const LightEffectSwitches& enabled) {
    if (db.CountLightRows(profile) != 0) {
        return true;
    }
    bool ok = true;
    for (const auto& row : DefaultLightRows(profile, enabled)) {
        ok = db.AddLightRow(row) != 0 && ok;
    }
    return db.SetActiveLight(profile, kFirstActiveEffect) && ok;
}

}  // namespace mousedeck::protocol
