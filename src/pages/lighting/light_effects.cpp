#include "pages/lighting/light_effects.h"

#include <string>

#include "pages/performance/value_words.h"
#include "protocol/lighting_frames.h"
#include "protocol/lighting_rows.h"

namespace mousedeck::pages::lighting {
namespace {

using performance::ParseWholeNumber;
using performance::SameWord;

constexpr int kSlotCount = 7;

std::string EffectLabel(const store::LightSetting& row) {
    const std::string_view word = EffectWord(row.mode);
    return word.empty() ? "effect " + std::to_string(row.mode) : "effect " + std::string(word);
}

Normalised<int> ParseLevel(std::string_view word, const store::LightSetting& row, bool offered,
                           std::string_view control) {
    if (!offered) {
        return Normalised<int>::Refuse(EffectLabel(row) + " has no " + std::string(control));
    }
    const std::optional<int> level = ParseWholeNumber(word);
    if (!level || *level < 0 || *level > protocol::kMaxLightLevel) {
        return Normalised<int>::Refuse(std::string(control) + " '" + std::string(word) +
                                       "' is not one of 0-" + std::to_string(protocol::kMaxLightLevel));
    }
    return Normalised<int>::Accept(*level);
}

}  // namespace

std::string_view EffectWord(int code) {
    for (const LightEffectName& effect : kLightEffectNames) {
        if (effect.code == code) {
            return effect.word;
        }
    }
    return {};
}

Normalised<int> ParseEffect(std::string_view word) {
    std::string words;
    for (const LightEffectName& effect : kLightEffectNames) {
        if (SameWord(word, effect.word)) {
            return Normalised<int>::Accept(effect.code);
        }
        words += (words.empty() ? "" : "|") + std::string(effect.word);
    }
    const std::optional<int> code = ParseWholeNumber(word);
    if (code && !EffectWord(*code).empty()) {
        return Normalised<int>::Accept(*code);
    }
    return Normalised<int>::Refuse("unknown lighting effect '" + std::string(word) + "'; it takes " + words +
                                   " or 0-" + std::to_string(protocol::kHighestLightEffect));
}

EffectControls ControlsOf(int config_func) {
    EffectControls controls;
    controls.brightness = (config_func & protocol::kLightShowBrightness) != 0;
    controls.speed = (config_func & protocol::kLightShowSpeed) != 0;
    controls.palette = (config_func & protocol::kLightShowPalette) != 0;
    if ((config_func & protocol::kLightShowColourSlots) != 0) {
        controls.colours = kSlotCount;
    } else if (controls.palette) {
        controls.colours = 1;
    }
    return controls;
}

int BrightnessPercent(int brightness) {
    return brightness >= 0 && brightness <= 3 ? brightness * 25 : 100;
}

Normalised<int> ParseBrightness(std::string_view word, const store::LightSetting& row) {
    return ParseLevel(word, row, ControlsOf(row.config_func).brightness, "brightness");
}

Normalised<int> ParseSpeed(std::string_view word, const store::LightSetting& row) {
    return ParseLevel(word, row, ControlsOf(row.config_func).speed, "speed");
}

Normalised<int> ParseColourSlot(std::optional<std::string_view> word, const store::LightSetting& row) {
    // Colours are chosen through the palette; the slots only say where they go.
    const EffectControls controls = ControlsOf(row.config_func);
    const int colours = controls.colours;
    if (!controls.palette) {
        return Normalised<int>::Refuse(EffectLabel(row) + " takes no colour");
    }
    if (!word) {
        return Normalised<int>::Accept(0);
    }
    const std::optional<int> slot = ParseWholeNumber(*word);
    if (!slot || *slot < 1 || *slot > colours) {
        return Normalised<int>::Refuse(
            "colour slot '" + std::string(*word) + "' is not offered; " + EffectLabel(row) +
            (colours == 1 ? " has one colour, slot 1" : " takes slots 1-" + std::to_string(colours)));
    }
    return Normalised<int>::Accept(*slot - 1);
}

}  // namespace mousedeck::pages::lighting
