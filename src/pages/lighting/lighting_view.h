#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "pages/lighting/light_effects.h"
#include "store/records.h"

namespace mousedeck::store {
class SettingsDatabase;
}

namespace mousedeck::pages::lighting {

// One entry of the effect list: a row of the profile.
struct EffectEntry {
    int code = 0;           // the row's `mode`
    int name_text = 0;      // the row's `reserved`: language text of its name
    std::string_view word;  // EffectWord of the code; empty when it is no effect

    bool operator==(const EffectEntry&) const = default;
};

// The controls of the selected effect, from its row.
struct CurrentEffect {
    store::LightSetting row;
    EffectControls controls;
    int brightness_percent = 0;  // BrightnessPercent of the row's brightness
    // The colours the page shows: color_value1..7 with the colour slots,
    // color_value1 with the palette alone, none without a palette.
    std::vector<int> colours;

    bool operator==(const CurrentEffect&) const = default;
};

// The lighting page as a fill shows it.
struct LightingView {
    std::vector<EffectEntry> effects;      // one per row, in row order
    int effect = 0;                        // the profile's active effect (0 without one)
    std::optional<CurrentEffect> current;  // none when `effect` has no row

    bool operator==(const LightingView&) const = default;
};

// Reads the profile's rows without writing (the rows are made by the
// controller's lighting refresh); safe from any thread.
LightingView ReadLightingView(store::SettingsDatabase& db, int profile);

}  // namespace mousedeck::pages::lighting
