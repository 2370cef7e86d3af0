#include "pages/lighting/lighting_view.h"

#include <cstddef>

#include "store/settings_database.h"

namespace mousedeck::pages::lighting {

LightingView ReadLightingView(store::SettingsDatabase& db, int profile) {
    LightingView view;
    const std::vector<store::LightSetting> rows = db.ListLightRows(profile);
    for (const store::LightSetting& row : rows) {
        view.effects.push_back({row.mode, row.reserved, EffectWord(row.mode)});
    }
    view.effect = db.GetActiveLightMode(profile);
    for (const store::LightSetting& row : rows) {
        if (row.mode != view.effect) {
            continue;
        }
        CurrentEffect current;
        current.row = row;
        current.controls = ControlsOf(row.config_func);
        current.brightness_percent = BrightnessPercent(row.brightness);
        const auto shown = static_cast<std::size_t>(current.controls.colours);
        current.colours.assign(row.color_values.begin(),
                               row.color_values.begin() + static_cast<std::ptrdiff_t>(shown));
        view.current = std::move(current);
        break;
    }
    return view;
}

}  // namespace mousedeck::pages::lighting
