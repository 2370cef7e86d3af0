#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "pages/performance/normalised.h"
#include "store/records.h"

namespace mousedeck::pages::lighting {

using performance::Normalised;

// The lighting effects (`mode` of a lighting row), in the order a new
// profile's rows are made: the command-line word and the language text of
// the effect's name (a row's own `reserved` holds the same key).
struct LightEffectName {
    int code = 0;
    std::string_view word;
    int name_text = 0;
};
inline constexpr std::array<LightEffectName, 6> kLightEffectNames = {{
    {1, "flowing", 280},
    {2, "breathing", 281},
    {3, "steady", 282},
    {4, "neon", 283},
    {5, "wave", 284},
    {0, "off", 285},
}};

// The word of an effect code; empty for a code that is no effect.
std::string_view EffectWord(int code);
// An effect named by its word or its code 0..5.
Normalised<int> ParseEffect(std::string_view word);

// What the page offers for an effect, from the row's config_func (never
// from the effect code: a row carries its own).
struct EffectControls {
    bool brightness = false;
    bool speed = false;
    bool palette = false;  // a colour can be chosen
    // The colours the page shows: 7 with the colour slots, 1 (the first) with
    // the palette alone, else none.
    int colours = 0;

    bool operator==(const EffectControls&) const = default;
};
EffectControls ControlsOf(int config_func);

// Brightness, shown as 0 %, 25 %, 50 % or 75 % for 0..3 and 100 % for
// anything else.
int BrightnessPercent(int brightness);

// A brightness or speed for the effect of `row`: 0..4, and only when the
// effect offers that control.
Normalised<int> ParseBrightness(std::string_view word, const store::LightSetting& row);
Normalised<int> ParseSpeed(std::string_view word, const store::LightSetting& row);

// The colour slot (0-based) a colour for the effect of `row` goes into,
// from the slot number 1..7 people see; no number means the first slot. An
// effect with one colour takes only slot 1; an effect without the palette
// takes no colour.
Normalised<int> ParseColourSlot(std::optional<std::string_view> word, const store::LightSetting& row);

}  // namespace mousedeck::pages::lighting
